// platform/files: the executable's folder, the current directory and the single-instance lock.
#pragma once
#include <initializer_list>
#include <string>
#include <string_view>

namespace platform {

// The folder of the running executable, ending in "/"; SetExecutableDir overrides it
// (the simulator's --dir).
std::string ExecutableDir();
void SetExecutableDir(const std::string& dir);
bool SetCurrentDir(const std::string& dir);

enum class LockResult { Acquired, HeldByAnother, Unavailable };
// Takes an exclusive lock on the file at path (created when missing), held until the
// process ends in any way. Unavailable: the file cannot be opened there.
LockResult AcquireInstanceLock(const std::string& path);

}  // namespace platform

namespace platform {

// Replaces the file with these bytes so that a crash or a full disk never leaves it half
// written: a fresh temporary beside it (never an existing name, so never through a planted
// link) is written with the old file's permission bits, flushed to the disk, then renamed
// over it. Temporaries an earlier crash left are removed. False (and the old file
// untouched) when any step fails; errno tells why.
bool WriteFileAtomically(const std::string& path, const std::string& bytes);
// The same with the bytes given in pieces, written one after the other.
bool WriteFileAtomically(const std::string& path, std::initializer_list<std::string_view> pieces);

// Why the file call that just failed failed, in the terms a player can act on (from errno).
enum class FileFault { NoPermission, DiskFull, QuotaFull, SizeLimit, ReadOnly, NoFolder, DeviceError, Other };
FileFault LastFileFault();

}  // namespace platform
