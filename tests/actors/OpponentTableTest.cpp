// The opponent table: its numbers, the layout of every introduction, and refusal of bad rows.
#include <gtest/gtest.h>

#include <array>
#include <string>

#include "actors/Comparas.h"
#include "platform/Text.h"

namespace {

struct Expected {
  const char* name;
  int id, fireWait, interceptLimit, reactPercent, chipLimit, fangSet, period, power;
};

// Transcribed independently from the design sheet, to catch typing slips in the game's rows.
constexpr Expected kSheet[23] = {
    {"たこ太郎", 0, 7, 10, 134, 0, 0, 4, 16},      {"イカ次郎", 1, 7, 10, 134, 0, 0, 2, 16},
    {"キム・モーヤン", 2, 5, 0, 5, 99, 0, 2, 16},  {"ＳＣＯＲＰＩＯＮ", 3, 999, 35, 12, 0, 0, 2, 16},
    {"ねずみ大二郎", 4, 10, 10, 100, 0, 0, 2, 16}, {"星ひでお", 5, 30, 15, 12, 0, 1, 2, 16},
    {"せくしー", 6, 50, 5, 5, 0, 2, 0, 8},         {"リチャード３世", 7, 50, 15, 10, 99, 0, 2, 16},
    {"ユイ", 8, 999, 35, 40, 16, 0, 2, 16},        {"すうぱぁせくしー", 9, 50, 5, 30, 3, 2, 0, 16},
    {"乃丸才居", 10, 900, 20, 99, 99, 0, 2, 16},   {"天下一", 11, 900, 20, 99, 99, 1, 2, 16},
    {"並田五郎兵衛", 12, 7, 15, 7, 8, 0, 2, 16},   {"筋肉大王\u3000", 13, 30, 15, 4, 0, 1, 4, 48},
    {"ドラＱ", 14, 7, 0, 133, 0, 0, 4, 16},        {"後藤秀保", 15, 5, 0, 7, 99, 0, 2, 16},
    {"蛇使い", 16, 1, 20, 15, 7, 0, 2, 16},        {"ぱにっく", 17, 7, 10, 7, 0, 0, 2, 16},
    {"ドラＢ", 9, 50, 5, 30, 3, 2, 0, 16},         {"ドラＧ", 10, 999, 35, 40, 16, 1, 2, 16},
    {"ドラＰ", 18, 1, 20, 15, 7, 0, 2, 16},        {"ドラＴ", 11, 900, 20, 99, 99, 0, 2, 16},
    {"ドラＸ", 19, 999, 20, 99, 50, 1, 2, 16},
};

TEST(OpponentTable, RecordsMatchTheSheet) {
  const OpponentTable& t = Opponents();
  ASSERT_EQ(t.size(), 23);
  for (int i = 0; i < 23; ++i) {
    SCOPED_TRACE(i);
    const OpponentRecord& r = t[i];
    const Expected& e = kSheet[i];
    EXPECT_EQ(r.name, e.name);
    EXPECT_EQ(r.characterId, e.id);
    EXPECT_EQ(r.fireWait, e.fireWait);
    EXPECT_EQ(r.interceptLimit, e.interceptLimit);
    EXPECT_EQ(r.reactPercent, e.reactPercent);
    EXPECT_EQ(r.chipLimit, e.chipLimit);
    EXPECT_EQ(r.fangSet, e.fangSet);
    EXPECT_EQ(r.period, e.period);
    EXPECT_EQ(r.power, e.power);
    EXPECT_EQ(r.reserved[0], 0);
    EXPECT_EQ(r.reserved[1], 0);
  }
  // Chapters pick opponents by character id: the first record with a shared id is the
  // original, not the son that borrows its looks.
  EXPECT_EQ(t.ByCharacterId(9), &t[9]);
  EXPECT_EQ(t.ByCharacterId(10), &t[10]);
  EXPECT_EQ(t.ByCharacterId(18), &t[20]);
  EXPECT_EQ(t.ByCharacterId(20), nullptr);
  EXPECT_EQ(t.At(23), nullptr);
  EXPECT_EQ(t.At(-1), nullptr);
  EXPECT_EQ(t.IndexOf(&t[22]), 22);
}

TEST(OpponentTable, DoraGKeepsItsGivenText) {
  const OpponentRecord& g = Opponents()[19];
  std::vector<std::string> want = {"ドラＧ", "続柄　ドラＱの息子", "能力　ユイのファングタイプＢ版",
                                   "「ドラドラドラＧ－！！！」", "e"};
  EXPECT_EQ(g.profileLines, want);
  EXPECT_EQ(g.firstSpokenLine, 3);
  EXPECT_EQ(g.endLine, 4);
  // The full-width hyphen must survive the trip to Shift-JIS for the typewriter.
  EXPECT_EQ(platform::Utf8ToSjis("－"), "\x81\x7c");
}

// Walks every introduction the way the profile screen does, byte rules included, and checks
// that the text fits where the screen puts it.
TEST(OpponentTable, EveryIntroductionReadsLikeTheProfileScreen) {
  const OpponentTable& t = Opponents();
  for (int i = 0; i < t.size(); ++i) {
    const OpponentRecord& r = t[i];
    SCOPED_TRACE(r.name);
    const auto& lines = r.profileLines;
    ASSERT_GE(lines.size(), 4u);
    ASSERT_LE(lines.size(), 9u);
    // Screen: line 1 always, then on while the next line's second Shift-JIS byte is not 0x75.
    size_t k = 1;
    while (k + 1 < lines.size() && static_cast<unsigned char>(platform::Utf8ToSjis(lines[k + 1])[1]) != 0x75) ++k;
    ASSERT_LT(k + 1, lines.size() - 1) << "no spoken line before the end";
    EXPECT_EQ(static_cast<int>(k + 1), r.firstSpokenLine);
    // Ours: every opponent says who it is in at least two profile lines (the given DoraG
    // text has two, our own have three).
    EXPECT_GE(k, i == 19 ? 2u : 3u);
    // Typed lines: until the one after begins with "e".
    size_t s = k + 1;
    while (lines[s + 1][0] != 'e') ++s;
    EXPECT_EQ(static_cast<int>(s + 1), r.endLine);
    EXPECT_EQ(lines[s + 1], "e");
    EXPECT_LE(s - k, 4u) << "spoken lines run past the bottom of the screen";
    for (size_t j = 1; j <= k; ++j) {
      // 16-pixel characters from x 240.
      EXPECT_LE(platform::Utf8ToSjis(lines[j]).size() / 2, 24u) << lines[j];
    }
    for (size_t j = k + 1; j <= s; ++j) {
      std::string sjis = platform::Utf8ToSjis(lines[j]);
      EXPECT_EQ(sjis.substr(0, 2), "\x81\x75") << lines[j];
      // 24-pixel characters typed from x 56 must stay inside the 640-pixel screen.
      EXPECT_LE(56 + 24 * static_cast<int>(sjis.size() / 2), 640) << lines[j];
    }
  }
}

TEST(OpponentTable, RefusesRowsThatBreakTheLayout) {
  struct Case {
    std::vector<const char*> lines;
    const char* mention;  // part of the message
  };
  const std::array<Case, 7> cases = {{
      {{"たこ", "職業　番人", "「やあ」"}, "no end mark"},
      {{"たこ", "職業　番人", "特技　墨", "e"}, "no spoken line"},
      {{"たこ", "職業　番人", "「やあ」", "e", "「おまけ」"}, "after the end mark"},
      {{"たこ", "「やあ」", "「よう」", "e"}, "reads as a spoken line"},
      {{"たこ", "職業　番人", "「やあ!」", "e"}, "single-byte"},
      {{"たこ", "職業　番人", "「やあ」", "職業　うそ", "e"}, "does not begin with"},
      {{"a", "b", "c", "d", "x", "f", "g", "「h」", "「i」", "e"}, "not 3 to 8"},
  }};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.mention);
    // The rows are exact-size copies, so reading past the end shows up under the sanitizers.
    std::vector<const char*> exact(c.lines);
    exact.shrink_to_fit();
    OpponentSource row{"たこ", 0, std::span<const char* const>(exact.data(), exact.size()), 7, 10, 134, 0, 0, 4, 16};
    std::array<OpponentSource, 2> rows = {OpponentSources()[0], row};
    std::string error;
    auto table = OpponentTable::Build(rows, &error);
    EXPECT_FALSE(table.has_value());
    EXPECT_NE(error.find("opponent record 1"), std::string::npos) << error;
    EXPECT_NE(error.find(c.mention), std::string::npos) << error;
  }
  // A character Shift-JIS does not have would print as "?".
  const char* bad[] = {"たこ", "職業　番人", "「\u00e9」", "e"};
  OpponentSource row{"たこ", 0, bad, 7, 10, 134, 0, 0, 4, 16};
  std::string error;
  EXPECT_FALSE(OpponentTable::Build(std::span(&row, 1), &error).has_value());
  EXPECT_NE(error.find("Shift-JIS"), std::string::npos) << error;
}

}  // namespace
