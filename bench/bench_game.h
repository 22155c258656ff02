// Benchmarks: one seeded run of the whole game set up for a timed match (no instance lock,
// the build folder's runtime files, a fixed seed, a virtual clock that never closes first).
#pragma once
#include <string>

#include "app/GameApp.h"

inline GameOptions BenchGameOptions(platform::BackendKind kind, const std::string& dir,
                                    const std::string& script = "") {
  GameOptions o;
  o.start.kind = kind;
  o.start.scriptText = script;
  o.start.untilMs = 1000000;
  o.singleInstance = false;
  o.dir = dir;
  o.haveSeed = true;
  o.seed = 1234;
  return o;
}
