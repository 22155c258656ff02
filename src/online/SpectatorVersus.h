// online: watching a hosted game. The spectator's versus screen shows both players' choices as
// the host tells them; each match is played from its confirmed tape as it comes (the battle
// runs here as it ran there, so it draws and sounds the same), four times as fast while it is
// far behind, and the next matches follow. Escape leaves.
#pragma once
#include <memory>

class OnlineSession;
class VersusPeer;

// The spectator's side of the versus screen over session (greeted or still greeting).
VersusPeer* BeginWatching(std::unique_ptr<OnlineSession> session);
// Ends watching at the end of a run.
void EndWatching();
