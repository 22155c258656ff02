// Regression replays: recorded fights kept in tests/battle/replays/ must play back to their
// recorded checksums and result. A change that alters a battle fails here; if the change is
// meant, raise kBattleRulesVersion and record them again with replays/record.sh.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

#include "ReplayKit.h"

namespace {

using namespace replay_test;

TEST(RegressionReplayTest, StoredFightsPlayBackToTheirRecordedEnd) {
  // versus: two people; story: a win on the tournament map; doraq: DoraQ transforms on its
  // timetable; invisible: 後藤秀保 is unseen; delayed-fangs: 蛇使い's fangs start late.
  for (const char* name : {"versus", "story", "doraq", "invisible", "delayed-fangs"}) {
    std::ifstream in(std::string(BRAMKO_SOURCE_DIR) + "/tests/battle/replays/" + name + ".rpl", std::ios::binary);
    const std::vector<uint8_t> bytes{std::istreambuf_iterator<char>(in), {}};
    const ReplayReading reading = ReadReplay(bytes);
    ASSERT_TRUE(reading.replay) << name << " cannot be read";
    const Playback p = PlayBack(*reading.replay);
    EXPECT_EQ(p.outcome, ReplayOutcome::Played) << name << " no longer plays as recorded";
  }
}

}  // namespace
