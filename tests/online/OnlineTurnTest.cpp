// The waits of online play on the real backend: a watcher that services a link is turned to
// every few milliseconds, so the other side's datagrams are answered at once and the round
// trip the link measures (which sets the input delay) is not lengthened by a wait slept
// through in one go.
#include <gtest/gtest.h>
#include <stdlib.h>

#include <string>

#include "online/OnlineSession.h"
#include "platform/Platform.h"
#include "platform/backends/Start.h"
#include "shell/Game.h"

namespace {

class CountingWatcher final : public WaitWatcher {
 public:
  explicit CountingWatcher(uint32_t longestTurnMs) : longest_(longestTurnMs) {}
  TWaitResult Watch(WaitKind, uint32_t ms, LiveWait live) override { return live(ms); }
  void Turn() override { ++turns; }
  uint32_t LongestTurnMs() const override { return longest_; }
  int turns = 0;

 private:
  uint32_t longest_;
};

TEST(OnlineTurns, AWaitUnderAnOnlineWatcherTurnsEveryFewMillisecondsAndStillEndsOnTime) {
  setenv("SDL_VIDEODRIVER", "dummy", 1);
  setenv("SDL_AUDIODRIVER", "dummy", 1);
  platform::StartOptions options;
  options.kind = platform::BackendKind::Sdl;
  std::string error;
  ASSERT_TRUE(platform::Start(options, &error)) << error;
  CountingWatcher online(kOnlineTurnMs), offline(UINT32_MAX);
  WaitWatcher* before = SetWaitWatcher(&online);
  const uint32_t elapsed = BusyWait(200);
  SetWaitWatcher(&offline);
  BusyWait(200);
  SetWaitWatcher(before);
  platform::Stop();
  // 2 ms turns give about 100; a machine that wakes us late gives fewer, but not a handful.
  EXPECT_GE(online.turns, 20) << "turns: " << online.turns << " online, " << offline.turns << " offline";
  EXPECT_GE(elapsed, 200u);
  EXPECT_LE(elapsed, 260u);
  // Without a link to answer a wait may sleep through (a few turns), as the game's menus do.
  EXPECT_LT(offline.turns, online.turns);
}

}  // namespace
