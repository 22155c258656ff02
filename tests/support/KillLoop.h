// Test support: killing a process in the middle of its writes. A child repeats a write
// without end; it is killed (SIGKILL) at a random moment after its first write, and the
// file is checked after every kill. The check is the property itself (the file is wholly
// the old or wholly the new one); timing only decides where the kills land, never whether
// the test passes.
#pragma once
#include <functional>
#include <string>

namespace testing_support {

struct KillReport {
  int kills = 0;
  int problems = 0;  // kills after which check() said no
  std::string firstProblem;
  int childFailures = 0;  // children that ended by themselves (their write failed)
};

// write(n) is the child's n-th write (n = 0, 1, 2, ...); check() returns "" when the file
// is as it may be, else what is wrong.
KillReport KillDuringWrites(int kills, const std::function<void(int)>& write,
                            const std::function<std::string()>& check);

}  // namespace testing_support
