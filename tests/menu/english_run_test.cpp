// The English game in a scripted run from the title: F1 on the main menu opens the English
// help at the keyword the Japanese game uses, and a message box speaks English; the next
// run in Japanese is the game as it was written.
#include <gtest/gtest.h>

#include "platform/HelpText.h"
#include "platform/headless/HeadlessControl.h"
#include "settings/Language.h"
#include "support/Headless.h"

namespace {

struct Seen {
  std::string helpFile, helpKeyword, message;
};

Seen RunMenu(const std::string& language) {
  const size_t messages = platform::headless::Messages().size();
  testing_support::RunHeadlessGame(
      "500 tap ENTER\n1000 tap F1\n1100 tap ESC\n1500 menu ファイル(&F)/リプレイを保存…\n", 2500, 1, nullptr, language);
  Seen seen;
  const auto& visits = platform::headless::HelpVisits();
  if (!visits.empty()) seen.helpFile = visits.back().file, seen.helpKeyword = visits.back().keyword;
  const auto& m = platform::headless::Messages();
  if (m.size() > messages) seen.message = m.back();
  return seen;
}

TEST(EnglishGame, HelpAndMessagesInEnglishAndTheNextJapaneseRunAsWritten) {
  const Seen en = RunMenu("en");
  EXPECT_EQ(en.helpFile, "BRAMKO.en.HLP");
  EXPECT_EQ(en.helpKeyword, "メニュー画面");
  EXPECT_EQ(en.message, "Bramko2 for Windows: There is no replay to save yet. Play a match first.");
  // The keyword lands on its own section of the English help, not on the contents.
  const std::vector<platform::HelpSection> help = platform::LoadHelpFile(std::string(BRAMKO_RUNTIME_DIR) + "/" + en.helpFile);
  const int at = platform::FindHelpSection(help, en.helpKeyword, true);
  ASSERT_GE(at, 0);
  ASSERT_LT(at, static_cast<int>(help.size()));
  EXPECT_EQ(help[at].keyword, "メニュー画面");
  EXPECT_EQ(help[at].body.rfind("Press a key on the title screen", 0), 0u) << help[at].body;

  const Seen ja = RunMenu("ja");
  EXPECT_FALSE(EnglishGame());
  EXPECT_EQ(ja.helpFile, "BRAMKO.HLP");
  EXPECT_EQ(ja.helpKeyword, "メニュー画面");
  EXPECT_EQ(ja.message, "Bramko2 for Windows: 保存できるリプレイがありません。先に対戦してください。");
}

}  // namespace
