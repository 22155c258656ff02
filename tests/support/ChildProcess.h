// Test support: starting a program of ours as a child process, its standard output into a
// file and its standard error discarded (the online tests and benchmark run simulators so).
#pragma once
#include <sys/types.h>

#include <filesystem>
#include <string>
#include <vector>

namespace testing_support {

// args[0] is the program's path. The child's pid (-1 when it could not be started).
pid_t SpawnToFile(const std::filesystem::path& out, std::vector<std::string> args);

}  // namespace testing_support
