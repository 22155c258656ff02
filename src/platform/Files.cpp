// platform: the executable's folder, the current directory and the single-instance lock.
#include "platform/Files.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>

namespace platform {

namespace {
std::string g_exeDirOverride;
}

std::string ExecutableDir() {
  if (!g_exeDirOverride.empty()) return g_exeDirOverride;
  std::error_code ec;
  auto exe = std::filesystem::read_symlink("/proc/self/exe", ec);
  if (ec) return "./";
  return exe.parent_path().string() + "/";
}

void SetExecutableDir(const std::string& dir) {
  g_exeDirOverride = dir;
  if (!g_exeDirOverride.empty() && g_exeDirOverride.back() != '/') g_exeDirOverride += '/';
}

bool SetCurrentDir(const std::string& dir) { return chdir(dir.c_str()) == 0; }

bool AcquireInstanceLock(const std::string& name) {
  // An exclusive flock on a file in the user's runtime folder: the system drops it when the
  // process ends in any way, so a crashed copy never blocks the next one.
  const char* runtime = std::getenv("XDG_RUNTIME_DIR");
  std::string dir = (runtime && *runtime) ? runtime : "/tmp";
  std::string path = dir + "/" + name + ".lock";
  int fd = open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
  if (fd < 0) return true;  // no place for a lock: better to run than to refuse
  if (flock(fd, LOCK_EX | LOCK_NB) != 0) {
    close(fd);
    return false;
  }
  return true;  // fd stays open, and so the lock is held, for the life of the process
}

}  // namespace platform
