// online: what the versus screen's two online peers share, the player's (OnlineVersus) and the
// spectator's (SpectatorVersus): the session, serviced on every turn of every wait between
// matches, and how online play ends.
#pragma once
#include <memory>

#include "online/OnlineSession.h"
#include "screens/Vsmode.h"
#include "shell/Game.h"

class SessionPeer : public VersusPeer, public WaitWatcher {
 public:
  // Online play ends with the run (the window closed while it went on).
  void End();

  // Between matches the link is answered at once: a wait slept through would lengthen the
  // measured round trip and fall silent for the other side.
  TWaitResult Watch(WaitKind, uint32_t ms, LiveWait live) override { return live(ms); }
  void Turn() override {
    if (session_) session_->Poll(0);
  }
  uint32_t LongestTurnMs() const override { return kOnlineTurnMs; }

 protected:
  ~SessionPeer() = default;
  void Open(std::unique_ptr<OnlineSession> session);
  // Says goodbye and gives the waits back; tell: the player hears why the session ended.
  // The simulator's window closes with online play.
  void Part(bool tell);

  std::unique_ptr<OnlineSession> session_;

 private:
  WaitWatcher* watcherBefore_ = nullptr;
};
