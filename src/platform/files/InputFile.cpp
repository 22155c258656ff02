// platform/files: reading files (see InputFile.h).
#include "platform/files/InputFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdint>

namespace platform {

namespace {

FileRead Judge(int statResult, const struct stat& st) {
  if (statResult != 0) return errno == ENOENT || errno == ENOTDIR ? FileRead::Missing : FileRead::Failed;
  return S_ISREG(st.st_mode) ? FileRead::Whole : FileRead::NotAFile;
}

template <typename Bytes>
FileRead ReadInto(const std::string& path, size_t maxBytes, Bytes& out, Larger larger) {
  out.clear();
  InputFile in(path);
  if (!in.Open()) return in.State();
  if (in.Size() > maxBytes && larger == Larger::Refuse) return FileRead::TooLarge;
  // One byte past the bound tells a file that grew since it was opened.
  const size_t want = static_cast<size_t>(std::min<uint64_t>(in.Size(), maxBytes)) + 1;
  out.resize(want);
  const size_t got = in.ReadUpTo(out.data(), want);
  if (got == SIZE_MAX) {
    out.clear();
    return FileRead::Failed;
  }
  out.resize(got);
  if (got <= maxBytes && in.Size() <= maxBytes) return FileRead::Whole;
  if (larger == Larger::Refuse) {
    out.clear();
    return FileRead::TooLarge;
  }
  out.resize(std::min(got, maxBytes));
  return FileRead::Cut;
}

}  // namespace

InputFile::InputFile(const std::string& path, Links links) {
  struct stat st {};
  state_ = Judge(links == Links::Follow ? stat(path.c_str(), &st) : lstat(path.c_str(), &st), st);
  if (state_ != FileRead::Whole) return;
  // O_NONBLOCK: should a FIFO be put there since the look above, the open still returns at
  // once, and fstat turns it away.
  const int flags = O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY | (links == Links::Refuse ? O_NOFOLLOW : 0);
  fd_ = open(path.c_str(), flags);
  if (fd_ < 0) {
    state_ = errno == ENOENT ? FileRead::Missing : errno == ELOOP ? FileRead::NotAFile : FileRead::Failed;
    return;
  }
  state_ = Judge(fstat(fd_, &st), st);
  if (state_ != FileRead::Whole) {
    close(fd_);
    fd_ = -1;
    return;
  }
  size_ = static_cast<uint64_t>(st.st_size);
}

InputFile::~InputFile() {
  if (fd_ >= 0) close(fd_);
}

size_t InputFile::ReadUpTo(void* into, size_t n) {
  if (fd_ < 0) return SIZE_MAX;
  auto* p = static_cast<char*>(into);
  size_t done = 0;
  while (done < n) {
    const ssize_t r = read(fd_, p + done, n - done);
    if (r < 0 && errno == EINTR) continue;
    if (r < 0) return SIZE_MAX;
    if (r == 0) break;
    done += static_cast<size_t>(r);
  }
  return done;
}

FileRead ReadFile(const std::string& path, size_t maxBytes, std::string& out, Larger larger) {
  return ReadInto(path, maxBytes, out, larger);
}

FileRead ReadFile(const std::string& path, size_t maxBytes, std::vector<uint8_t>& out, Larger larger) {
  return ReadInto(path, maxBytes, out, larger);
}

}  // namespace platform
