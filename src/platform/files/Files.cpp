// platform/files: the executable's folder, the current directory and the single-instance lock.
#include "platform/files/Files.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
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

LockResult AcquireInstanceLock(const std::string& path) {
  // flock: the system drops the lock when the process ends, so a crashed copy never
  // blocks the next one.
  // Never through a link, never waiting on a FIFO: only a plain file of ours holds the lock.
  int fd = open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY, 0600);
  if (fd < 0) return LockResult::Unavailable;
  struct stat st {};
  if (fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
    close(fd);
    return LockResult::Unavailable;
  }
  if (flock(fd, LOCK_EX | LOCK_NB) != 0) {
    const bool held = errno == EWOULDBLOCK;
    close(fd);
    return held ? LockResult::HeldByAnother : LockResult::Unavailable;
  }
  return LockResult::Acquired;  // fd stays open, and so the lock is held, for the life of the process
}

FileFault LastFileFault() {
  switch (errno) {
    case EACCES:
    case EPERM: return FileFault::NoPermission;
    case ENOSPC: return FileFault::DiskFull;
    case EDQUOT: return FileFault::QuotaFull;
    case EFBIG: return FileFault::SizeLimit;
    case EROFS: return FileFault::ReadOnly;
    case ENOENT:
    case ENOTDIR: return FileFault::NoFolder;
    case EIO: return FileFault::DeviceError;
    default: return FileFault::Other;
  }
}

}  // namespace platform
