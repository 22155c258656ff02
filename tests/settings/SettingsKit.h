// Test kit of the settings suite: a fresh folder for "BRAMKO.INI", the headless platform
// (messages, help requests, the scene timer) and the globals the dialogs touch, put back
// after every test.
#pragma once
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "platform/Dialogs.h"
#include "platform/files/Files.h"
#include "platform/files/IniFile.h"
#include "platform/Input.h"
#include "platform/Text.h"
#include "platform/headless/HeadlessControl.h"
#include "input/KeyTable.h"
#include "actors/BattleState.h"
#include "shell/Bramkoworld.h"
#include "shell/Game.h"
#include "support/Headless.h"

inline void WriteTextFile(const std::string& path, const std::string& utf8) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out << platform::Utf8ToSjis(utf8);
}

inline std::string ReadTextFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream ss;
  ss << in.rdbuf();
  return platform::SjisToUtf8(ss.str());
}

class SettingsDialogFixture : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = testing_support::FreshDir("settings-dialog") + "/";
    ini_ = dir_ + "BRAMKO.INI";
    platform::SetExecutableDir(dir_);
    ResetGameInputState();
    HelpFile = "BRAMKO.HLP";
    FramePeriodMs = 15;
    FangPowerByMode[0][mmStory] = 160;
    ExtrasUnlocked = ResolutionChangeRequested = false;
  }
  void TearDown() override {
    platform::SetExecutableDir("");
    ResetGameInputState();
    SceneStep = nullptr;
    FramePeriodMs = 15;
    FangPowerByMode[0][mmStory] = 160;
    ExtrasUnlocked = ResolutionChangeRequested = false;
  }
  size_t MessageCount() const { return platform::headless::Messages().size(); }
  std::string LastMessage() const {
    const auto& m = platform::headless::Messages();
    return m.empty() ? "" : m.back();
  }
  std::string Value(const std::string& section, const std::string& key) const {
    return platform::IniReadString(ini_, section, key, "<missing>");
  }

  testing_support::HeadlessPlatform platform_;
  std::string dir_, ini_;
};

inline std::vector<int> Codes(std::initializer_list<int> codes) { return std::vector<int>(codes); }
