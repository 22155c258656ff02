// Shared set-up of the input tests: the headless platform with a script, the default key
// table and a clean polling state; At() moves the virtual clock to a moment of the script.
#pragma once
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "platform/Platform.h"
#include "platform/headless/HeadlessControl.h"
#include "settings/SettingsFile.h"
#include "shell/Game.h"
#include "support/Headless.h"

class InputTest : public ::testing::Test {
 protected:
  void Start(const std::string& script) {
    platform_ = std::make_unique<testing_support::HeadlessPlatform>(script);
    ResetGameInputState();
    LoadKeyLists("", true);
  }
  void TearDown() override {
    ResetGameInputState();
    platform_.reset();
  }
  // Lets virtual time pass up to ms (events of the script at or before it are applied).
  static void At(int64_t ms) {
    int64_t now = platform::headless::Now();
    if (ms > now) platform::SleepMs(static_cast<uint32_t>(ms - now));
  }
  static int64_t Now() { return platform::headless::Now(); }

 private:
  std::unique_ptr<testing_support::HeadlessPlatform> platform_;
};
