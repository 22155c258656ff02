// platform/files: replacing a file whole. The new bytes go to a temporary made fresh beside the
// file, which is flushed and renamed over it, so a reader (or the next start after a crash)
// sees either the old file or the new one, never a mix.
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

#include "platform/files/Files.h"

namespace platform {

namespace {

constexpr const char* kTempMark = ".tmp.";
constexpr size_t kTempRandomChars = 6;  // what mkostemp puts in place of "XXXXXX"

bool IsTempRandom(const char* s) {
  size_t n = 0;
  for (; s[n]; ++n)
    if (!((s[n] >= 'A' && s[n] <= 'Z') || (s[n] >= 'a' && s[n] <= 'z') || (s[n] >= '0' && s[n] <= '9'))) return false;
  return n == kTempRandomChars;
}

// Temporaries of this file that a crash left behind: "<name>.tmp.XXXXXX", and "<name>.new"
// of the first release. Only files and links go (unlinking a link never touches its target).
void RemoveStaleTemporaries(const std::string& dir, const std::string& name) {
  DIR* d = opendir(dir.c_str());
  if (!d) return;
  const std::string mark = name + kTempMark, legacy = name + ".new";
  std::vector<std::string> stale;
  while (dirent* e = readdir(d)) {
    const char* n = e->d_name;
    bool ours = legacy == n || (std::strncmp(n, mark.c_str(), mark.size()) == 0 && IsTempRandom(n + mark.size()));
    if (ours) stale.push_back(dir + "/" + n);
  }
  closedir(d);
  for (const std::string& p : stale) {
    struct stat st;
    if (lstat(p.c_str(), &st) == 0 && (S_ISREG(st.st_mode) || S_ISLNK(st.st_mode))) unlink(p.c_str());
  }
}

// The permission bits the new file takes: the old file's, or what the user's umask gives a
// new file.
mode_t NewFileMode(const std::string& path) {
  struct stat st;
  if (stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode)) return st.st_mode & 0777;
  mode_t mask = umask(0);
  umask(mask);
  return 0666 & ~mask;
}

bool WriteAll(int fd, std::string_view bytes) {
  size_t done = 0;
  while (done < bytes.size()) {
    ssize_t n = write(fd, bytes.data() + done, bytes.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;  // with SIGXFSZ ignored a file-size limit ends up here (EFBIG)
    done += static_cast<size_t>(n);
  }
  return true;
}

}  // namespace

bool WriteFileAtomically(const std::string& path, const std::string& bytes) {
  return WriteFileAtomically(path, {std::string_view(bytes)});
}

bool WriteFileAtomically(const std::string& path, std::initializer_list<std::string_view> pieces) {
  const size_t slash = path.rfind('/');
  const std::string dir = slash == std::string::npos ? "." : (slash == 0 ? "/" : path.substr(0, slash));
  const std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
  if (name.empty()) {
    errno = EISDIR;
    return false;
  }
  RemoveStaleTemporaries(dir, name);

  std::string temp = (slash == std::string::npos ? std::string() : path.substr(0, slash + 1)) + name + kTempMark +
                     std::string(kTempRandomChars, 'X');
  // A unique new name opened with O_EXCL: whatever was planted beside the file is never
  // opened, let alone written through.
  int fd = mkostemp(temp.data(), O_CLOEXEC);
  if (fd < 0) return false;
  bool ok = fchmod(fd, NewFileMode(path)) == 0;
  for (std::string_view piece : pieces) ok = ok && WriteAll(fd, piece);
  ok = ok && fsync(fd) == 0;
  ok = close(fd) == 0 && ok;
  ok = ok && std::rename(temp.c_str(), path.c_str()) == 0;
  if (!ok) {
    const int error = errno;
    unlink(temp.c_str());
    errno = error;
    return false;
  }
  // Make the rename itself durable.
  int dfd = open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (dfd >= 0) {
    fsync(dfd);
    close(dfd);
  }
  return true;
}

}  // namespace platform
