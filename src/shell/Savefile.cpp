// shell: writing and reading the progress file.
#include "shell/Savefile.h"

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

#include "field/MapState.h"
#include "platform/Dialogs.h"
#include "platform/Files.h"

namespace {

void FileError(const std::string& what, const std::string& path) {
  platform::ShowMessage("Bramko2 for Windows", what + "\n" + path);
}

void PutInt(std::vector<unsigned char>& out, int32_t v) {
  const uint32_t u = static_cast<uint32_t>(v);
  for (int k = 0; k < 4; ++k) out.push_back(static_cast<unsigned char>(u >> (8 * k)));
}

// A value cut short by the end of the file takes only the bytes there, as its low-order
// bytes; its high-order bytes keep what they held.
void TakeInt(const std::vector<unsigned char>& in, size_t offset, int& value) {
  uint32_t u = static_cast<uint32_t>(value);
  for (size_t k = 0; k < 4 && offset + k < in.size(); ++k) {
    u &= ~(0xFFu << (8 * k));
    u |= static_cast<uint32_t>(in[offset + k]) << (8 * k);
  }
  value = static_cast<int>(u);
}

}  // namespace

std::string SaveFilePath() { return platform::ExecutableDir() + "BRAMKO.DAT"; }

void SaveProgress() {
  std::vector<unsigned char> bytes;
  for (int i = 0; i < 4; ++i) PutInt(bytes, MapProgress[i]);
  bytes.push_back(JourneyIntroSeen);
  bytes.push_back(VenueArrivalSeen);
  bytes.push_back(DoraQOpeningSeen);

  const std::string path = SaveFilePath();
  // Written beside the old file and renamed over it: a failed save keeps the last good one.
  if (!platform::WriteFileAtomically(path, std::string(bytes.begin(), bytes.end())))
    FileError("ファイルを作成できません。", path);
}

int LoadProgress() {
  const std::string path = SaveFilePath();
  std::error_code ec;
  if (!std::filesystem::exists(path, ec)) return -1;
  std::ifstream in(path, std::ios::binary);
  if (!in || !std::filesystem::is_regular_file(path, ec)) {
    // The chapter then starts from the progress held in memory.
    FileError("ファイルを開けません。", path);
    return -1;
  }
  std::vector<unsigned char> bytes;
  char c;
  while (bytes.size() < static_cast<size_t>(kSaveFileSize) && in.get(c)) bytes.push_back(static_cast<unsigned char>(c));
  for (int i = 1; i <= 3; ++i) TakeInt(bytes, 4 * static_cast<size_t>(i), MapProgress[i]);
  if (bytes.size() > 16) JourneyIntroSeen = bytes[16];
  if (bytes.size() > 17) VenueArrivalSeen = bytes[17];
  if (bytes.size() > 18) DoraQOpeningSeen = bytes[18];
  return 0;
}
