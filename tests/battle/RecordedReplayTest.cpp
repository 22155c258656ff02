// Replays: every match is kept on a tape of what passed its door; played back in a new game
// it must give the same fight, whatever interrupted it, and leave the game around it as it
// was. Files that cannot be vouched for are refused with a message; a playback that no
// longer follows its tape stops with one.
#include <gtest/gtest.h>

#include <algorithm>
#include <ctime>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "ReplayKit.h"
#include "actors/Comparas.h"
#include "actors/Complayer.h"
#include "actors/Tip.h"
#include "battle/ReplayFiles.h"
#include "field/MapState.h"
#include "platform/files/Files.h"
#include "platform/Window.h"
#include "platform/headless/HeadlessControl.h"
#include "actors/BattleState.h"
#include "shell/Bramkoworld.h"
#include "shell/GameFiles.h"
#include "support/Headless.h"

namespace {

using namespace battle_test;
using namespace replay_test;

constexpr int kYuiRecord = 8, kDoraPRecord = 20;  // ドラＰ switches between two behaviours

std::vector<uint8_t> ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), {}};
}

std::string WriteFile(const std::string& name, const std::vector<uint8_t>& bytes) {
  static const std::string dir = testing_support::FreshDir("replay-files");
  const std::string path = dir + "/" + name;
  std::ofstream(path, std::ios::binary)
      .write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
  return path;
}

std::vector<uint8_t> StoredReplay(const std::string& name) {
  return ReadFile(std::string(BRAMKO_SOURCE_DIR) + "/tests/battle/replays/" + name + ".rpl");
}

bool Told(const Playback& p, const std::string& words) {
  for (const std::string& m : p.messages)
    if (m.find(words) != std::string::npos) return true;
  return false;
}

uint32_t ScreenChecksum() {
  const platform::Bitmap& b = platform::ImageCanvasBitmap();
  uint32_t h = kFnvStart;
  for (int y = 0; y < b.Height(); ++y)
    h = Fnv1a({reinterpret_cast<const char*>(b.Row(y)), sizeof(platform::Color) * size_t(b.Width())}, h);
  return h;
}

TEST(RecordedReplayTest, StoryAndVersusMatchesPlayBackAsTheyWerePlayed) {
  struct Case {
    const char* name;
    uint32_t seed;
    int record;  // -1: versus
  };
  for (const Case& c :
       {Case{"versus", 41, -1}, Case{"story vs ユイ", 42, kYuiRecord}, Case{"story vs ドラＰ", 43, kDoraPRecord}}) {
    MatchRun run;
    run.seed = c.seed;
    run.right = Opponents().At(c.record);
    run.script = RandomPlayScript(c.seed, c.record < 0);
    // What a run carries from match to match must come along on the tape.
    run.before = [] {
      SetChipOwner(1);
      SwitchState() = ComSwitchState{25, 1};
      RoundSeconds = 20;
    };
    const std::vector<uint8_t> bytes = Record(run);
    ASSERT_FALSE(bytes.empty()) << c.name;
    const Replay replay = Decode(bytes);
    EXPECT_TRUE(TapeHas(replay, TapeOp::Bits)) << c.name;
    const Playback p = PlayBack(replay);
    EXPECT_EQ(p.outcome, ReplayOutcome::Played) << c.name;
    EXPECT_EQ(p.report, run.report) << c.name;
    EXPECT_EQ(replay.result, run.report) << c.name;
  }
}

TEST(RecordedReplayTest, EveryInterruptionPlaysBackTheSame) {
  struct Case {
    const char* name;
    std::string script;
    TapeOp op;
    int a, b;
    bool escInResults = false;
  };
  constexpr int kPress = static_cast<int>(WaitKind::Press), kOrKey = static_cast<int>(WaitKind::OrKey);
  const Case cases[] = {
      {"pause, resume", "6000 tap ESC\n7000 tap SPACE\n", TapeOp::Wait, kPress, wrNone},
      {"pause, leave", "6000 tap ESC\n7000 tap ESC\n", TapeOp::Wait, kPress, wrCancel},
      {"F4", "6000 tap F4\n", TapeOp::Stop, static_cast<int>(RoundStop::GiveUp), -1},
      {"focus lost", "6000 focus off\n8000 focus on\n", TapeOp::Stop, static_cast<int>(RoundStop::FocusLost), -1},
      {"window closed", "6000 close\n", TapeOp::Stop, static_cast<int>(RoundStop::Closed), -1},
      {"escape in the results", "", TapeOp::Wait, kOrKey, wrQuit, true},
  };
  for (const Case& c : cases) {
    MatchRun run;
    run.right = c.escInResults ? Opponents().At(kYuiRecord) : nullptr;
    // Nobody plays around the event: a key pressed in the pause would end it.
    run.script = RandomPlayScript(7, true, 3000, 5500) + c.script + RandomPlayScript(8, true, 8500, 30000);
    run.before = [] { RoundSeconds = 8; };
    bool escaped = false;
    if (c.escInResults)
      run.onLever = [&] {
        if (escaped || !Fighters[0] || (RoundClock != 0 && RoundOver == 0)) return;
        // Once the frames are over, Escape held until a wait of the results sees it (a tap
        // made during the winner's jumps, which read no key, would be forgotten).
        escaped = true;
        platform::headless::Inject({Now() + 300, "down", 0x1B, ""});
        platform::headless::Inject({Now() + 5000, "up", 0x1B, ""});
      };
    const Replay replay = Decode(Record(run));
    ASSERT_FALSE(replay.tape.empty()) << c.name;
    EXPECT_TRUE(TapeHas(replay, c.op, c.a, c.b)) << c.name;
    if (c.escInResults) {
      EXPECT_LT(run.report.fighters[0].roundsWon + run.report.fighters[1].roundsWon, 2) << "the match was not left";
    }
    const Playback p = PlayBack(replay);
    EXPECT_EQ(p.outcome, ReplayOutcome::Played) << c.name;
    EXPECT_EQ(p.report, run.report) << c.name;
  }
}

TEST(RecordedReplayTest, WatchingChangesNothingAroundIt) {
  // A 2-1 win over たこ太郎 on the tournament map: played there at the frontier it would
  // move the progress on and save it.
  const Replay replay = Decode(StoredReplay("story"));
  ASSERT_EQ(replay.result.result, 2);
  int progressAfter = -100, periodAfter = -1;
  uint32_t screenBefore = 0, screenAfter = 1;
  std::string save, replays;
  const Playback p = PlayBack(
      replay, "",
      [&] {
        save = SaveFilePath();
        replays = ReplayFolder();
        CurrentMapId = midTournament;
        MapProgress[midTournament] = 0;
        CurrentWaypoint = 2;
        FramePeriodMs = 21;
        screenBefore = ScreenChecksum();
      },
      [&] {
        progressAfter = MapProgress[midTournament];
        periodAfter = FramePeriodMs;
        screenAfter = ScreenChecksum();
      });
  EXPECT_EQ(p.outcome, ReplayOutcome::Played);
  EXPECT_EQ(progressAfter, 0);
  EXPECT_FALSE(std::filesystem::exists(save));
  EXPECT_FALSE(std::filesystem::exists(replays + "last.rpl")) << "a playback is no match of its own";
  EXPECT_EQ(periodAfter, 21);
  EXPECT_EQ(screenAfter, screenBefore) << "the screen it was started from is back";
}

TEST(RecordedReplayTest, AHeldKeyRunsItFourTimesAsFastAndEscapeStopsIt) {
  const Replay replay = Decode(StoredReplay("versus"));
  const Playback normal = PlayBack(replay);
  const Playback fast = PlayBack(replay, "1000 down A\n");
  const Playback stopped = PlayBack(replay, "20000 tap ESC\n");
  const Playback stoppedEarly = PlayBack(replay, "2000 tap ESC\n");  // in "round 1": no key is read
  EXPECT_EQ(normal.outcome, ReplayOutcome::Played);
  EXPECT_EQ(fast.outcome, ReplayOutcome::Played);
  EXPECT_LT(fast.took, normal.took / 3);
  EXPECT_GT(fast.took, normal.took / 5);
  EXPECT_EQ(stopped.outcome, ReplayOutcome::Stopped);
  EXPECT_LT(stopped.took, 21000);
  EXPECT_EQ(stoppedEarly.outcome, ReplayOutcome::Stopped);
  EXPECT_LT(stoppedEarly.took, 2500);
  EXPECT_FALSE(Told(stopped, "再生")) << "stopping is no failure";
}

TEST(RecordedReplayTest, FilesThatCannotBeVouchedForAreRefusedWithAMessage) {
  const std::vector<uint8_t> good = StoredReplay("story");
  ASSERT_GT(good.size(), 100u);
  std::vector<uint8_t> otherFormat = good, otherRules = good, flipped = good;
  otherFormat[4] = 0x7F;
  ++otherRules[6];
  flipped[good.size() / 2] ^= 0x10;
  const std::vector<uint8_t> truncated(good.begin(), good.begin() + static_cast<long>(good.size() / 2));
  const std::vector<uint8_t> garbage = {'h', 'e', 'l', 'l', 'o', ' ', 'w', 'o', 'r', 'l', 'd', '\n'};
  struct Case {
    const char* name;
    const std::vector<uint8_t>& bytes;
    const char* words;
  };
  for (const Case& c : {Case{"garbage", garbage, "リプレイファイルではありません"},
                        Case{"other format", otherFormat, "別の版のゲームで記録された"},
                        Case{"other rules", otherRules, "別の版のゲーム（1.02）で記録された"},
                        Case{"truncated", truncated, "壊れている"}, Case{"flipped", flipped, "壊れている"}}) {
    const Playback p = WatchFile(WriteFile(c.name, c.bytes));
    EXPECT_EQ(p.outcome, ReplayOutcome::Refused) << c.name;
    EXPECT_TRUE(Told(p, c.words)) << c.name;
    EXPECT_FALSE(p.report.valid) << c.name << ": no match ran";
    EXPECT_LT(p.took, 50) << c.name;
  }
  // The reader takes no shortened and no altered copy of a replay.
  for (size_t n = 0; n < good.size(); ++n) ASSERT_FALSE(ReadReplay(std::span(good.data(), n)).replay) << "cut to " << n;
  for (size_t i = 0; i < good.size(); ++i) {
    std::vector<uint8_t> b = good;
    b[i] ^= 0x01;
    ASSERT_FALSE(ReadReplay(b).replay) << "byte " << i;
  }
}

TEST(RecordedReplayTest, APlaybackThatLeavesItsTapeStopsWithAMessage) {
  const Replay good = Decode(StoredReplay("story"));
  Replay badChecksum = good, badBits = good;
  for (TapeEntry& e : badChecksum.tape)
    if (e.op == TapeOp::Checksum) {
      ++e.value;
      break;
    }
  for (TapeEntry& e : badBits.tape)
    if (e.op == TapeOp::Bits && e.b != 0) {
      e.b = 0;  // the fighter no longer moves there
      break;
    }
  const Playback full = PlayBack(good);
  for (const Replay* r : {&badChecksum, &badBits}) {
    const Playback p = WatchFile(WriteFile("drift", EncodeReplay(*r)));
    EXPECT_EQ(p.outcome, ReplayOutcome::Drifted);
    EXPECT_TRUE(Told(p, "食い違った"));
    EXPECT_LT(p.took, full.took / 2) << "stopped when it drifted, not at the end";
  }
}

TEST(RecordedReplayTest, SimulatorRecordsAndReplaysTheSameLastMatchHoweverLong) {
  const std::string dir = FolderWithMaps("sim-replay") + "/";
  std::ofstream(dir + "script.txt") << RandomPlayScript(5, true);
  const std::string sim = std::string(BRAMKO_BINARY_DIR) + "/bramko-sim --dir " + dir;
  // Long rounds: the match lasts longer than the limit a match has by default.
  ASSERT_EQ(std::system((sim + " --seed 5 --versus --round-seconds 300 --until 3000000 --script " + dir +
                         "script.txt --record " + dir + "m.rpl > " + dir + "played.json 2>/dev/null")
                            .c_str()),
            0);
  const int replayed = std::system((sim + " --replay " + dir + "m.rpl > " + dir + "replayed.json 2>/dev/null").c_str());
  const int cut = std::system(
      (sim + " --replay " + dir + "m.rpl --until 60000 > " + dir + "cut.json 2> " + dir + "cut.txt").c_str());
  auto text = [&](const char* file) {
    const std::vector<uint8_t> b = ReadFile(dir + file);
    return std::string(b.begin(), b.end());
  };
  auto lastMatch = [&](const char* file) {
    const std::string s = text(file);
    const size_t at = s.find("\"lastMatch\"");
    return at == std::string::npos ? std::string("none in ") + s : s.substr(at);
  };
  const std::string played = text("played.json");
  const size_t tick = played.find("\"tick\": ");
  ASSERT_NE(tick, std::string::npos) << played;
  EXPECT_GT(std::stoll(played.substr(tick + 8)), 700000) << "the match was not a long one";
  EXPECT_NE(lastMatch("played.json").find("\"fighters\""), std::string::npos);
  EXPECT_EQ(replayed, 0);
  EXPECT_EQ(lastMatch("replayed.json"), lastMatch("played.json"));
  // Cut short by a limit, a replay ends in a failure that names the cut.
  EXPECT_NE(cut, 0);
  EXPECT_NE(text("cut.txt").find("--until 60000"), std::string::npos) << text("cut.txt");
}

TEST(RecordedReplayTest, ReplaysAreKeptUnderNamesAndListedLastMatchFirst) {
  EXPECT_EQ(ReplayFileName(" ..a/b:c*?\"<>|\x01 d "), "abc d");
  EXPECT_EQ(ReplayFileName(" . "), "");
  std::string longName;
  for (int i = 0; i < 30; ++i) longName += "対";  // three bytes each
  EXPECT_EQ(ReplayFileName(longName).size(), 63u);

  // A match played long before it is kept: the list shows when it was played, and says
  // each thing once (a suggested name already holds the fight, result and time).
  Replay played = Decode(StoredReplay("versus"));
  played.startedAt = 1700000000;
  const std::time_t playedAt = played.startedAt;
  char date[32];
  std::strftime(date, sizeof date, "%Y/%m/%d %H:%M", std::localtime(&playedAt));
  std::string suggested;
  std::vector<std::string> lines;
  std::vector<std::string> messages;
  testing_support::RunHeadlessGame("", 600000, 1, [&] {
    platform::SetExecutableDir(FolderWithMaps("named"));
    EXPECT_FALSE(SaveLastReplayAs("nothing yet"));
    KeepLastReplay(played);
    suggested = SuggestedReplayName(Decode(LastReplayBytes()));
    EXPECT_TRUE(SaveLastReplayAs(suggested));
    EXPECT_TRUE(SaveLastReplayAs("対戦 その1"));
    ForgetLastReplay();  // as after a restart: the last match is still on disk
    EXPECT_TRUE(SaveLastReplayAs("対戦 その2"));
    std::ofstream(ReplayPath("broken"), std::ios::binary) << "BRPL and nothing else";
    for (const ReplayListing& r : ListReplays()) lines.push_back(r.line);
    messages = platform::headless::Messages();
  });
  EXPECT_EQ(suggested.rfind(std::string(date, 4) + "-", 0), 0u) << suggested << ": not the match's year";
  ASSERT_EQ(lines.size(), 5u);
  EXPECT_EQ(lines[0], std::string("前回の対戦　対戦 1-2　") + date);
  for (const std::string& line :
       {suggested, "対戦 その1　対戦 1-2　" + std::string(date), "対戦 その2　対戦 1-2　" + std::string(date),
        std::string("broken　（再生できません）")})
    EXPECT_NE(std::find(lines.begin(), lines.end(), line), lines.end()) << line << " not in the list";
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_NE(messages[0].find("保存できるリプレイがありません"), std::string::npos);
}

}  // namespace
