// Japanese line breaking: closing marks never open a line, opening brackets never end one,
// latin words stay whole unless wider than a line. Every character is one unit wide here.
#include <gtest/gtest.h>

#include "platform/ui/help/LineBreak.h"

namespace {

std::vector<std::string> Break(const std::string& text, float width) {
  return platform::BreakLines(text, width, [](std::string_view s) {
    float n = 0;
    for (size_t i = 0; i < s.size();) {
      size_t len = 0;
      platform::DecodeUtf8(s, i, &len);
      i += len;
      ++n;
    }
    return n;
  });
}

using Lines = std::vector<std::string>;

TEST(LineBreak, KinsokuKeepsMarksWithTheirNeighbours) {
  // "。" would open the second line: it goes down with the character before it.
  EXPECT_EQ(Break("あいうえお。かきくけこ", 5), (Lines{"あいうえ", "お。かきく", "けこ"}));
  // "「" would end the first line, "ー" and "ッ" would open one.
  EXPECT_EQ(Break("あいう「かぎ」", 4), (Lines{"あいう", "「かぎ」"}));
  EXPECT_EQ(Break("ゲームスタート", 2), (Lines{"ゲー", "ムス", "ター", "ト"}));
  EXPECT_EQ(Break("あいうがッと", 4), (Lines{"あいう", "がッと"}));
}

TEST(LineBreak, LatinWordsStayWholeAndNewlinesEndLines) {
  EXPECT_EQ(Break("press the Enter key", 8), (Lines{"press", "the", "Enter", "key"}));
  // Japanese text may break right before or after a latin word.
  EXPECT_EQ(Break("決定はEnterです", 6), (Lines{"決定は", "Enterで", "す"}));
  // Only a word wider than a whole line is cut.
  EXPECT_EQ(Break("BRAMKO.HLP", 4), (Lines{"BRAM", "KO.H", "LP"}));
  EXPECT_EQ(Break("一行目\n\n三行目", 10), (Lines{"一行目", "", "三行目"}));
}

}  // namespace
