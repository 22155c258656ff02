// platform/files: the one way the game reads a file. Only a regular file is read, and only up to
// a bound the caller gives: a FIFO, a device or a folder planted where a file should be is
// refused without waiting on it (the game never hangs in an open, and SIGTERM still ends
// it), and a huge or sparse file is refused (or cut) before any memory is taken for it.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace platform {

enum class FileRead {
  Whole,     // the file, all of it
  Cut,       // its first maxBytes (only when the caller takes a cut)
  Missing,   // nothing of that name
  NotAFile,  // a FIFO, device, socket or folder; or a link where links are refused
  TooLarge,  // more than maxBytes
  Failed,    // no permission, or a read error
};
inline bool Got(FileRead r) { return r == FileRead::Whole || r == FileRead::Cut; }

enum class Larger { Refuse, Cut };
enum class Links { Follow, Refuse };

// A regular file open for reading. The kind of the file is judged before it is opened (so a
// device is never opened at all) and again on the open descriptor (so nothing swapped in
// between is read); the open itself never waits.
class InputFile {
 public:
  InputFile(const std::string& path, Links links = Links::Follow);
  InputFile(const InputFile&) = delete;
  InputFile& operator=(const InputFile&) = delete;
  ~InputFile();

  // Whole when the file is open; otherwise why not.
  FileRead State() const { return state_; }
  bool Open() const { return state_ == FileRead::Whole; }
  // The size it had when it was opened.
  uint64_t Size() const { return size_; }
  // Up to n bytes from where the last read stopped; fewer only at the end of the file.
  // SIZE_MAX on a read error.
  size_t ReadUpTo(void* into, size_t n);
  // Exactly n bytes, else false.
  bool Read(void* into, size_t n) { return ReadUpTo(into, n) == n; }

 private:
  int fd_ = -1;
  FileRead state_ = FileRead::Missing;
  uint64_t size_ = 0;
};

// The bytes of a regular file of at most maxBytes into out (emptied on any refusal). A larger
// file is refused, or with Larger::Cut read only to maxBytes.
FileRead ReadFile(const std::string& path, size_t maxBytes, std::string& out, Larger larger = Larger::Refuse);
FileRead ReadFile(const std::string& path, size_t maxBytes, std::vector<uint8_t>& out, Larger larger = Larger::Refuse);

}  // namespace platform
