// Test support: headless runs.
#include "support/Headless.h"

#include <unistd.h>

#include <filesystem>

#include "platform/Platform.h"
#include "platform/backends/Start.h"
#include "platform/Window.h"

namespace testing_support {

HeadlessPlatform::HeadlessPlatform(const std::string& script, int64_t untilMs) {
  platform::StartOptions o;
  o.kind = platform::BackendKind::Headless;
  o.scriptText = script;
  o.untilMs = untilMs;
  std::string error;
  platform::Start(o, &error);
}

HeadlessPlatform::~HeadlessPlatform() { platform::Stop(); }

int RunHeadlessGame(const std::string& script, int64_t untilMs, uint32_t seed, const std::function<void()>& inside) {
  GameOptions o;
  o.start.kind = platform::BackendKind::Headless;
  o.start.scriptText = script;
  o.start.untilMs = untilMs;
  o.singleInstance = false;
  o.dir = BRAMKO_RUNTIME_DIR;
  o.haveSeed = true;
  o.seed = seed;
  o.afterCreate = inside;
  return RunGame(o);
}

std::string FreshDir(const std::string& name) {
  auto dir = std::filesystem::temp_directory_path() / ("bramko-test-" + name + "-" + std::to_string(::getpid()));
  std::filesystem::remove_all(dir);
  std::filesystem::create_directories(dir);
  return dir.string();
}

}  // namespace testing_support
