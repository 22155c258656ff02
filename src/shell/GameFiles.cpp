// shell: the locations of the game's files.
#include "shell/GameFiles.h"

#include <filesystem>

#include "platform/files/Files.h"
#include "platform/files/Folders.h"

namespace {

const char* const kFolderName = "bramko2";

std::string WithSlash(std::string dir) {
  if (!dir.empty() && dir.back() != '/') dir += '/';
  return dir;
}

std::string Parent(const std::string& path) { return std::filesystem::path(path).parent_path().string(); }

// An installed game finds its data in ../share/bramko2 from its executable.
std::string InstalledDataFolder() {
  return WithSlash(
      std::filesystem::path(platform::ExecutableDir() + "../share/" + kFolderName).lexically_normal().string());
}

bool Installed() { return platform::FolderExists(InstalledDataFolder()); }

// The executable's folder holds the player's files when this is a portable copy that may
// write there. An installed game never writes beside its executable, even where it could
// (a game installed by root and run by root): bin/ is no place for a player's save.
bool UserFilesBesideExecutable() { return !Installed() && platform::FolderWritable(platform::ExecutableDir()); }

std::string PerUserFolder(const std::string& base) {
  // Without any home folder there is nowhere else: the write fails there and says so.
  return base.empty() ? platform::ExecutableDir() : WithSlash(base) + kFolderName + "/";
}

}  // namespace

std::string DataFolder() { return Installed() ? InstalledDataFolder() : platform::ExecutableDir(); }

std::string SettingsFolder() {
  return UserFilesBesideExecutable() ? platform::ExecutableDir() : PerUserFolder(platform::UserConfigHome());
}

std::string UserDataFolder() {
  return UserFilesBesideExecutable() ? platform::ExecutableDir() : PerUserFolder(platform::UserDataHome());
}

std::string SettingsFilePath() { return SettingsFolder() + "BRAMKO.INI"; }
std::string SaveFilePath() { return UserDataFolder() + "BRAMKO.DAT"; }
std::string ReplayFolder() { return UserDataFolder() + "replays/"; }

std::vector<std::string> InstanceLockPaths() {
  const std::string name = "morvelbramkowin.lock";
  std::vector<std::string> paths;
  const std::string runtime = platform::UserRuntimeDir();
  if (!runtime.empty()) paths.push_back(WithSlash(runtime) + name);
  const std::string data = platform::UserDataHome();
  if (!data.empty()) paths.push_back(WithSlash(data) + kFolderName + "/" + name);
  return paths;
}

bool MakeFolderFor(const std::string& path) { return platform::MakeFolders(Parent(path)); }

std::string CannotWriteMessage(const std::string& path, const std::string& kept) {
  const std::string folder = Parent(path);
  std::string why;
  switch (platform::LastFileFault()) {
    case platform::FileFault::NoPermission: why = "フォルダ " + folder + " に書き込む権限がありません。"; break;
    case platform::FileFault::DiskFull: why = "フォルダ " + folder + " のあるディスクに空きがありません。"; break;
    case platform::FileFault::QuotaFull: why = "ディスクの使用量の上限（クォータ）に達しています。"; break;
    case platform::FileFault::SizeLimit: why = "ファイルの大きさの上限を超えます。"; break;
    case platform::FileFault::ReadOnly:
      why = "フォルダ " + folder + " は読み出し専用のファイルシステムにあります。";
      break;
    case platform::FileFault::NoFolder: why = "フォルダ " + folder + " を作れません。"; break;
    case platform::FileFault::DeviceError: why = "ディスクの読み書きに失敗しました。"; break;
    case platform::FileFault::Other: why = "フォルダ " + folder + " に書き込めるか確かめてください。"; break;
  }
  return path + " に書き込めません。\n" + why + "\n" + kept;
}
