// Test support: a child killed at random points of its writes.
#include "support/KillLoop.h"

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <random>
#include <thread>

namespace testing_support {

KillReport KillDuringWrites(int kills, const std::function<void(int)>& write,
                            const std::function<std::string()>& check) {
  KillReport report;
  // How long one write takes here and now, so the kills spread over whole writes.
  const auto t0 = std::chrono::steady_clock::now();
  for (int n = 0; n < 4; ++n) write(n);
  const auto perWrite = (std::chrono::steady_clock::now() - t0) / 4;
  const int64_t spreadUs =
      std::max<int64_t>(100, 3 * std::chrono::duration_cast<std::chrono::microseconds>(perWrite).count());
  std::mt19937 rng(19);
  for (int k = 0; k < kills; ++k) {
    int ready[2];
    if (pipe(ready) != 0) break;
    pid_t child = fork();
    if (child == 0) {
      close(ready[0]);
      for (int n = 0;; ++n) {
        write(n);
        if (n == 0) {
          char c = 1;
          (void)!::write(ready[1], &c, 1);
        }
      }
    }
    close(ready[1]);
    char c;
    const bool started = read(ready[0], &c, 1) == 1;  // after the child's first whole write
    close(ready[0]);
    if (started) std::this_thread::sleep_for(std::chrono::microseconds(rng() % spreadUs));
    kill(child, SIGKILL);
    int status = 0;
    waitpid(child, &status, 0);
    if (!WIFSIGNALED(status)) ++report.childFailures;
    ++report.kills;
    std::string problem = check();
    if (!problem.empty() && report.problems++ == 0) report.firstProblem = problem;
  }
  return report;
}

}  // namespace testing_support
