// platform/files: the user's folders and folder tests.
#include "platform/files/Folders.h"

#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <filesystem>

namespace platform {

namespace {

std::string Env(const char* name) {
  const char* v = std::getenv(name);
  return v ? v : "";
}

std::string HomeDir() {
  std::string home = Env("HOME");
  if (!home.empty()) return home;
  const passwd* pw = getpwuid(getuid());
  return pw && pw->pw_dir ? pw->pw_dir : "";
}

std::string BaseDir(const char* variable, const char* underHome) {
  std::string dir = Env(variable);
  if (!dir.empty() && dir[0] == '/') return dir;
  std::string home = HomeDir();
  return home.empty() ? "" : home + "/" + underHome;
}

}  // namespace

std::string UserConfigHome() { return BaseDir("XDG_CONFIG_HOME", ".config"); }
std::string UserDataHome() { return BaseDir("XDG_DATA_HOME", ".local/share"); }
std::string UserCacheHome() { return BaseDir("XDG_CACHE_HOME", ".cache"); }

std::string UserRuntimeDir() {
  std::string dir = Env("XDG_RUNTIME_DIR");
  return !dir.empty() && dir[0] == '/' && FolderExists(dir) ? dir : "";
}

bool FolderExists(const std::string& path) {
  struct stat st {};
  return stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

bool FolderWritable(const std::string& path) { return FolderExists(path) && access(path.c_str(), W_OK | X_OK) == 0; }

bool MakeFolders(const std::string& path) {
  if (path.empty()) return false;
  if (FolderExists(path)) return true;
  std::string parent = std::filesystem::path(path).parent_path().string();
  if (parent != path && !parent.empty() && !MakeFolders(parent)) return false;
  // The per-user folders hold nothing for other users to read.
  if (mkdir(path.c_str(), 0700) == 0) return true;
  const int error = errno;  // why it failed, for the message; the look below must not change it
  if (FolderExists(path)) return true;
  errno = error;
  return false;
}

}  // namespace platform
