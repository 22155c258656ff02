// The main window's failures and help: an exception escaping a scene step is shown in a box
// and the game goes on; every keyword a screen can set has its own section in the help file.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <regex>
#include <set>
#include <sstream>
#include <stdexcept>

#include "actors/Comparas.h"
#include "platform/ui/help/HelpText.h"
#include "platform/Window.h"
#include "platform/headless/HeadlessControl.h"
#include "shell/Bramkoworld.h"
#include "support/Headless.h"

namespace {

int g_calls = 0;
int ThrowingOnceStep() {
  if (++g_calls == 2) throw std::runtime_error("disk on fire");
  return 0;
}

TEST(MainWindow, AnExceptionFromAStepIsShownInABoxAndTheGameGoesOn) {
  g_calls = 0;
  std::vector<std::string> boxes;
  int callsAfterBox = 0;
  const int status = testing_support::RunHeadlessGame("", 2000, 1, [&] {
    SetSceneStep(ThrowingOnceStep);
    platform::SetTimerInterval(50);
  });
  boxes = platform::headless::Messages();
  callsAfterBox = g_calls - 2;
  EXPECT_EQ(status, 0);
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_NE(boxes[0].find("エラーが発生しました"), std::string::npos) << boxes[0];
  EXPECT_NE(boxes[0].find("disk on fire"), std::string::npos) << boxes[0];
  EXPECT_GT(callsAfterBox, 20) << "the scene clock stopped after the exception";
}

// Keywords written in the sources ("HelpKeyword = ..." and the dialogs' kHelpKeyword), and
// the name of every opponent, which the profile screen sets.
std::set<std::string> KeywordsScreensSet() {
  std::set<std::string> keywords{"おまけ"};
  const std::regex literal(R"((?:HelpKeyword =|kHelpKeyword =) \"([^\"]+)\")");
  for (const auto& e : std::filesystem::recursive_directory_iterator(BRAMKO_SOURCE_DIR "/src")) {
    if (e.path().extension() != ".cpp") continue;
    std::ifstream in(e.path());
    std::stringstream ss;
    ss << in.rdbuf();
    const std::string text = ss.str();
    for (std::sregex_iterator m(text.begin(), text.end(), literal), end; m != end; ++m) keywords.insert((*m)[1]);
  }
  const OpponentTable& table = Opponents();
  for (int i = 0; i < table.size(); ++i) keywords.insert(table[i].name);
  return keywords;
}

TEST(Help, EveryKeywordAScreenSetsHasItsOwnSection) {
  const auto help = platform::LoadHelpFile(BRAMKO_RUNTIME_DIR "/BRAMKO.HLP");
  const std::set<std::string> keywords = KeywordsScreensSet();
  EXPECT_GE(keywords.size(), 23u + 7u);
  for (const auto& k : keywords) EXPECT_GT(platform::FindHelpSection(help, k, true), 0) << "no section for " << k;
  EXPECT_EQ(platform::FindHelpSection(help, "no such screen"), 0);  // the contents
  EXPECT_EQ(platform::FindHelpSection(help, ""), 0);
}

}  // namespace
