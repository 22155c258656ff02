// platform: the executable's folder, the current directory and the single-instance lock.
#pragma once
#include <string>

namespace platform {

// The folder of the running executable, ending in "/"; SetExecutableDir overrides it
// (the simulator's --dir).
std::string ExecutableDir();
void SetExecutableDir(const std::string& dir);
bool SetCurrentDir(const std::string& dir);

// Takes the system-wide lock of that name; false when another process holds it.
// The lock is held until the process ends.
bool AcquireInstanceLock(const std::string& name);

}  // namespace platform
