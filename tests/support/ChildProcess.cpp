// Test support: child processes.
#include "support/ChildProcess.h"

#include <unistd.h>

#include <cstdio>

namespace testing_support {

pid_t SpawnToFile(const std::filesystem::path& out, std::vector<std::string> args) {
  std::fflush(stdout);  // or the child would print what the parent had not yet
  const pid_t pid = fork();
  if (pid == 0) {
    if (!freopen(out.c_str(), "w", stdout) || !freopen("/dev/null", "w", stderr)) _exit(127);
    std::vector<char*> argv;
    for (auto& a : args) argv.push_back(a.data());
    argv.push_back(nullptr);
    execv(argv[0], argv.data());
    _exit(127);
  }
  return pid;
}

}  // namespace testing_support
