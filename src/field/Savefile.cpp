// field: writing and reading the progress file.
#include "field/Savefile.h"

#include "field/MapState.h"
#include "platform/Dialogs.h"
#include "platform/files/Files.h"
#include "platform/files/InputFile.h"
#include "shell/Game.h"

namespace {

void FileError(const std::string& text) { platform::ShowMessage("Bramko2 for Windows", text); }

// The progress held in memory.
SaveRecord HeldProgress() {
  SaveRecord record;
  for (int i = 0; i < 4; ++i) record.mapProgress[i] = MapProgress[i];
  record.flags[0] = JourneyIntroSeen;
  record.flags[1] = VenueArrivalSeen;
  record.flags[2] = DoraQOpeningSeen;
  return record;
}

}  // namespace

bool SaveProgress() {
  const std::string path = SaveFilePath();
  // Written beside the old file and renamed over it: a failed save keeps the last good one.
  if (MakeFolderFor(path) && platform::WriteFileAtomically(path, EncodeSaveRecord(HeldProgress()))) return true;
  FileError(CannotWriteMessage(path, "保存済みの進行状況は失われていません。"));
  return false;
}

void SaveProgressFromMenu() {
  if (!SaveProgress()) return;
  platform::ShowMessage("Bramko2 for Windows", "進行状況を保存しました。");
  WaitRelease();  // the key that closed the box is not for the game
}

int LoadProgress() {
  const std::string path = SaveFilePath();
  std::string bytes;
  // Only the record's bytes are read, however long the file.
  const platform::FileRead read = platform::ReadFile(path, kSaveFileSize, bytes, platform::Larger::Cut);
  if (read == platform::FileRead::Missing) return -1;
  if (!platform::Got(read)) {
    // The chapter then starts from the progress held in memory.
    FileError(path + " を開けません。");
    return -1;
  }
  SaveRecord record = HeldProgress();
  DecodeSaveRecord(bytes, record);
  // Entry 0 is written but never read back.
  for (int i = 1; i < 4; ++i) MapProgress[i] = record.mapProgress[i];
  JourneyIntroSeen = record.flags[0];
  VenueArrivalSeen = record.flags[1];
  DoraQOpeningSeen = record.flags[2];
  return 0;
}
