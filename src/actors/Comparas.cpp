// actors: the opponent table and the introduction texts of every opponent.
#include "actors/Comparas.h"

#include <cstdio>
#include <cstdlib>

#include "platform/Text.h"
#include "platform/Translate.h"

namespace {

// Introduction texts: the name, the profile lines (label, full-width space, value), the
// spoken lines, the end mark. Spoken lines are typed one double-byte character at a time.

// The journey's checkpoints.
constexpr const char* kTakotaro[] = {
    N_("たこ太郎"),
    N_("職業　第一関所の番人"),
    N_("特技　墨をはく（試合では禁止）"),
    N_("好物　たこ焼き（共食いではないらしい）"),
    N_("「ここを通りたくば、わしを倒してゆけ！」"),
    N_("「……む、足が八本ともからまった」"),
    "e",
};
constexpr const char* kIkajiro[] = {
    N_("イカ次郎"),
    N_("職業　第二関所の番人"),
    N_("続柄　たこ太郎の弟（種族はちがう）"),
    N_("特技　兄よりほんの少しだけ速い"),
    N_("「兄者のかたきだ！」"),
    N_("「足の数なら、おれのほうが二本多いぞ！」"),
    "e",
};
constexpr const char* kKimMoyan[] = {
    N_("キム・モーヤン"),
    N_("職業　旅の両替商"),
    N_("信条　チップは一枚も見のがさない"),
    N_("弱点　売れないアイテムに興味なし"),
    N_("「チップは天下のまわりもの、ぜんぶいただく」"),
    N_("「ファング？　ひろったら、すぐ撃つよ」"),
    "e",
};
constexpr const char* kNezumi[] = {
    N_("ねずみ大二郎"),
    N_("職業　義賊（自称）"),
    N_("特技　逃げ足"),
    N_("座右の銘　三十六計逃げるにしかず"),
    N_("「チュチュッ、当てられるものなら当ててみな」"),
    "e",
};
constexpr const char* kNamita[] = {
    N_("並田五郎兵衛"),
    N_("職業　会社員（係長補佐）"),
    N_("身長　成人男性の平均値ぴったり"),
    N_("特徴　何をやらせても平均点"),
    N_("「可もなく不可もなく。それがわたしです」"),
    "e",
};

// The tournament.
constexpr const char* kHoshi[] = {
    N_("星ひでお"),
    N_("職業　元・高校野球部のエース"),
    N_("得意　ファングの変化球"),
    N_("目標　ＫＲ大会の星になること"),
    N_("「ぼくの魔球、打てるものなら打ってみろ！」"),
    "e",
};
constexpr const char* kScorpion[] = {
    N_("ＳＣＯＲＰＩＯＮ"),
    N_("職業　不明（覆面の狙撃手）"),
    N_("経歴　すべてが謎につつまれている"),
    N_("特技　ねらった獲物はのがさない"),
    N_("「……標的、確認」"),
    N_("「おまえの動きは、すべて読めている」"),
    "e",
};
constexpr const char* kRichard[] = {
    N_("リチャード３世"),
    N_("職業　とある小国の王様"),
    N_("趣味　宝物（チップ）集め"),
    N_("口癖　余の国をやるからチップをくれ"),
    N_("「ひかえおろう！　余は王であるぞ！」"),
    "e",
};
constexpr const char* kYui[] = {
    N_("ユイ"),
    N_("職業　ＫＲ大会の現チャンピオン"),
    N_("性格　勝ち気で負けずぎらい"),
    N_("特技　相手の動きの先読み"),
    N_("「あんたがブラムコー？　ふーん、まあまあね」"),
    N_("「でも、今年の優勝もあたしがもらうわよ！」"),
    "e",
};

// The island of DoraQ: the bitten ones and the vampire himself.
constexpr const char* kSexy[] = {
    N_("せくしー"),
    N_("職業　島の食堂の看板娘"),
    N_("状態　ドラＱにかまれて夜型になった"),
    N_("特技　すばやい身のこなし"),
    N_("「うふっ、あたしのファングでしびれてね」"),
    "e",
};
constexpr const char* kKinniku[] = {
    N_("筋肉大王"),
    N_("職業　島いちばんのボディビルダー"),
    N_("状態　ドラＱにかまれて筋肉が暴走中"),
    N_("特技　ファング一発がふつうの三倍"),
    N_("「ふんっ！　この筋肉が見えるか！」"),
    N_("「ガンガンいくぞ！」"),
    "e",
};
constexpr const char* kGoto[] = {
    N_("後藤秀保"),
    N_("職業　島の郵便配達人"),
    N_("特徴　とにかく存在感がない"),
    N_("状態　ドラＱにかまれ、ついに見えなくなった"),
    N_("「あのう、さっきからずっとここにいます」"),
    "e",
};
constexpr const char* kHebi[] = {
    N_("蛇使い"),
    N_("職業　流しの蛇使い"),
    N_("状態　ドラＱにかまれ、蛇まで牙をむいた"),
    N_("特技　ためてから撃つファング"),
    N_("「笛の音に合わせて……ほうら、来るよ」"),
    "e",
};
constexpr const char* kDoraQ[] = {
    N_("ドラＱ"),
    N_("職業　封印されていた吸血鬼"),
    N_("特徴　戦いのさなかに二度変身する"),
    N_("好物　トマトジュース"),
    N_("「ふっかーつ！！　封印をといたのはきさまか」"),
    N_("「礼に、わがしもべにしてやろう！」"),
    "e",
};

// Fighters met off the beaten road.
constexpr const char* kSuperSexy[] = {
    N_("すうぱぁせくしー"),         N_("職業　島の食堂の看板娘（本気）"),       N_("状態　満月の夜にだけ現れる"),
    N_("特技　せくしーの倍の威力"), N_("「本気のあたしは、ひと味ちがうわよ」"), "e",
};
constexpr const char* kNomaru[] = {
    N_("乃丸才居"),
    N_("職業　山奥の仙人"),
    N_("年齢　本人も覚えていない"),
    N_("特技　ファングを見ずによける"),
    N_("「ほっほっ。若いの、肩の力をぬきなされ」"),
    "e",
};
constexpr const char* kTenka[] = {
    N_("天下一"),
    N_("職業　伝説の格闘家"),
    N_("戦績　生涯無敗（自己申告）"),
    N_("目標　名前のとおり天下一"),
    N_("「天下一の名は、だてではない！」"),
    "e",
};
constexpr const char* kPanic[] = {
    N_("ぱにっく"),
    N_("職業　見習い選手"),
    N_("性格　すぐにあわてる"),
    N_("特技　とくになし"),
    N_("「わわわっ、もう始まってるの！？」"),
    N_("「ど、ど、どっちに逃げればいいの～」"),
    "e",
};

// DoraQ's sons.
constexpr const char* kDoraB[] = {
    N_("ドラＢ"),
    N_("続柄　ドラＱの長男"),
    N_("能力　すうぱぁせくしーのものまね"),
    N_("特徴　ものまねは得意だが中身はない"),
    N_("「ドラＢ参上！　父上のかたきはとるぜ！」"),
    "e",
};
// Written as it was handed to us.
constexpr const char* kDoraG[] = {
    N_("ドラＧ"), N_("続柄　ドラＱの息子"), N_("能力　ユイのファングタイプＢ版"), N_("「ドラドラドラＧ－！！！」"), "e",
};
constexpr const char* kDoraP[] = {
    N_("ドラＰ"),
    N_("続柄　ドラＱの三男"),
    N_("能力　蛇使いのファング（ためなし版）"),
    N_("性格　めんどくさがり"),
    N_("「ためるの、めんどくさいんだよね～」"),
    "e",
};
constexpr const char* kDoraT[] = {
    N_("ドラＴ"),
    N_("続柄　ドラＱの四男"),
    N_("能力　天下一のファングタイプＡ版"),
    N_("目標　天下一の名をうばうこと"),
    N_("「天下一の名は、おれがいただく！」"),
    "e",
};
constexpr const char* kDoraX[] = {
    N_("ドラＸ"), N_("続柄　ドラＱの末っ子"), N_("能力　正体不明"), N_("特徴　兄たちも素顔を見たことがない"), N_("「……Ｘは、未知数のＸ」"),
    "e",
};

// name, id, lines, fireWait, interceptLimit, reactPercent, chipLimit, fang set, period, power
const OpponentSource kRows[OpponentTable::kRecords] = {
    {N_("たこ太郎"), 0, kTakotaro, 7, 10, 128 + 6, 0, 0, 4, 16},
    {N_("イカ次郎"), 1, kIkajiro, 7, 10, 128 + 6, 0, 0, 2, 16},
    {N_("キム・モーヤン"), 2, kKimMoyan, 5, 0, 5, 99, 0, 2, 16},
    {N_("ＳＣＯＲＰＩＯＮ"), 3, kScorpion, 999, 35, 12, 0, 0, 2, 16},
    {N_("ねずみ大二郎"), 4, kNezumi, 10, 10, 100, 0, 0, 2, 16},
    {N_("星ひでお"), 5, kHoshi, 30, 15, 12, 0, 1, 2, 16},
    {N_("せくしー"), 6, kSexy, 50, 5, 5, 0, 2, 0, 8},
    {N_("リチャード３世"), 7, kRichard, 50, 15, 10, 99, 0, 2, 16},
    {N_("ユイ"), 8, kYui, 999, 35, 40, 16, 0, 2, 16},
    {N_("すうぱぁせくしー"), 9, kSuperSexy, 50, 5, 30, 3, 2, 0, 16},
    {N_("乃丸才居"), 10, kNomaru, 900, 20, 99, 99, 0, 2, 16},
    {N_("天下一"), 11, kTenka, 900, 20, 99, 99, 1, 2, 16},
    {N_("並田五郎兵衛"), 12, kNamita, 7, 15, 7, 8, 0, 2, 16},
    {N_("筋肉大王　"), 13, kKinniku, 30, 15, 4, 0, 1, 4, 48},
    {N_("ドラＱ"), 14, kDoraQ, 7, 0, 128 + 5, 0, 0, 4, 16},
    {N_("後藤秀保"), 15, kGoto, 5, 0, 7, 99, 0, 2, 16},
    {N_("蛇使い"), 16, kHebi, 1, 20, 15, 7, 0, 2, 16},
    {N_("ぱにっく"), 17, kPanic, 7, 10, 7, 0, 0, 2, 16},
    {N_("ドラＢ"), 9, kDoraB, 50, 5, 30, 3, 2, 0, 16},
    {N_("ドラＧ"), 10, kDoraG, 999, 35, 40, 16, 1, 2, 16},
    {N_("ドラＰ"), 18, kDoraP, 1, 20, 15, 7, 0, 2, 16},
    {N_("ドラＴ"), 11, kDoraT, 900, 20, 99, 99, 0, 2, 16},
    {N_("ドラＸ"), 19, kDoraX, 999, 20, 99, 50, 1, 2, 16},
};

// The profile screen shows up to this many lines before the end mark.
constexpr int kMinLinesBeforeEnd = 3;
constexpr int kMaxLinesBeforeEnd = 8;

std::string Quote(const char* s) { return std::string("\"") + s + "\""; }

}  // namespace

bool IsSpokenProfileLine(const std::string& utf8) {
  std::string sjis = platform::Utf8ToSjis(utf8);
  return sjis.size() >= 2 && static_cast<unsigned char>(sjis[1]) == 0x75;
}

bool IsProfileEndLine(const std::string& utf8) { return !utf8.empty() && utf8[0] == 'e'; }

bool CheckProfileLines(std::span<const char* const> lines, std::string* error) {
  auto fail = [&](const std::string& why) {
    if (error) *error = why;
    return false;
  };
  size_t end = 0;
  while (end < lines.size() && !(lines[end] && IsProfileEndLine(lines[end]))) ++end;
  if (end == lines.size()) return fail("profile lines have no end mark \"e\"");
  if (end + 1 != lines.size()) return fail("profile lines go on after the end mark \"e\"");
  for (size_t i = 0; i < end; ++i) {
    if (!lines[i] || !*lines[i]) return fail("profile line " + std::to_string(i) + " is empty");
    // Every character must exist in Shift-JIS, or the screen would show "?".
    if (platform::SjisToUtf8(platform::Utf8ToSjis(lines[i])) != lines[i])
      return fail("profile line " + std::to_string(i) + " " + Quote(lines[i]) + " does not convert to Shift-JIS");
  }
  if (end < kMinLinesBeforeEnd || end > kMaxLinesBeforeEnd)
    return fail("profile has " + std::to_string(end) + " lines before the end mark, not 3 to 8");
  if (IsSpokenProfileLine(lines[0]) || IsSpokenProfileLine(lines[1]))
    return fail("profile line " + Quote(IsSpokenProfileLine(lines[0]) ? lines[0] : lines[1]) +
                " reads as a spoken line; the name and at least one profile line come first");
  size_t spoken = 2;
  while (spoken < end && !IsSpokenProfileLine(lines[spoken])) ++spoken;
  if (spoken == end) return fail("profile lines have no spoken line beginning with \"「\"");
  for (size_t i = spoken; i < end; ++i) {
    std::string sjis = platform::Utf8ToSjis(lines[i]);
    if (!IsSpokenProfileLine(lines[i]) || sjis.compare(0, 2, "\x81\x75") != 0)
      return fail("line " + Quote(lines[i]) + " follows a spoken line but does not begin with \"「\"");
    // The typewriter prints double-byte characters only.
    for (size_t b = 0; b < sjis.size(); b += 2)
      if (!platform::IsSjisLeadByte(static_cast<unsigned char>(sjis[b])) || b + 1 >= sjis.size())
        return fail("spoken line " + Quote(lines[i]) + " holds a single-byte character");
  }
  return true;
}

std::optional<OpponentTable> OpponentTable::Build(std::span<const OpponentSource> rows, std::string* error) {
  OpponentTable table;
  for (size_t i = 0; i < rows.size(); ++i) {
    const OpponentSource& row = rows[i];
    std::string name = row.name ? row.name : "";
    auto refuse = [&](const std::string& why) -> std::optional<OpponentTable> {
      if (error) *error = "opponent record " + std::to_string(i) + " (" + name + "): " + why;
      return std::nullopt;
    };
    if (name.empty()) return refuse("no name");
    std::string why;
    if (!CheckProfileLines(row.profileLines, &why)) return refuse(why);
    if (row.characterId < 0 || row.characterId > 19) return refuse("character id outside 0-19");
    if (row.fangSet < 0 || row.fangSet > 2) return refuse("fang set outside 0-2");
    if (row.period < 0) return refuse("negative period");
    if (row.fireWait < 1) return refuse("fireWait below 1");
    OpponentRecord r;
    r.name = name;
    r.characterId = row.characterId;
    for (const char* line : row.profileLines) r.profileLines.emplace_back(line);
    r.fireWait = row.fireWait;
    r.interceptLimit = row.interceptLimit;
    r.reactPercent = row.reactPercent;
    r.chipLimit = row.chipLimit;
    r.fangSet = row.fangSet;
    r.period = row.period;
    r.power = row.power;
    r.endLine = static_cast<int>(r.profileLines.size()) - 1;
    r.firstSpokenLine = 2;
    while (!IsSpokenProfileLine(r.profileLines[r.firstSpokenLine])) ++r.firstSpokenLine;
    table.records_.push_back(std::move(r));
  }
  return table;
}

const OpponentRecord* OpponentTable::At(int index) const {
  if (index < 0 || index >= size()) return nullptr;
  return &records_[index];
}

const OpponentRecord* OpponentTable::ByCharacterId(int id) const {
  for (const auto& r : records_)
    if (r.characterId == id) return &r;
  return nullptr;
}

int OpponentTable::IndexOf(const OpponentRecord* record) const {
  if (!record || records_.empty() || record < &records_.front() || record > &records_.back()) return -1;
  return static_cast<int>(record - &records_.front());
}

std::span<const OpponentSource> OpponentSources() { return kRows; }

const OpponentTable& Opponents() {
  static const OpponentTable table = [] {
    std::string error;
    auto built = OpponentTable::Build(kRows, &error);
    if (!built) {
      // Broken texts shipped with the game: nothing sensible can be shown.
      std::fprintf(stderr, "bramko2: %s\n", error.c_str());
      std::abort();
    }
    return *built;
  }();
  return table;
}
