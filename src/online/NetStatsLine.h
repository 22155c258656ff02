// online: the small line of link figures at the foot of the battle screen during an online
// match, shown and hidden with F3: the round trip, the last and the longest rollback, and the
// frames that waited for the other side. It sits at the right of the frame's bottom band,
// which holds nothing of the battle; hidden, the band is painted back.
#pragma once
#include <cstdint>
#include <string>

// F3: shows or hides the line (a key no screen of the game reads).
inline constexpr int kNetStatsKey = 0x72;

// Whether the line is shown (kept from match to match).
extern bool NetStatsShown;

struct NetStatsFigures {
  uint32_t pingMs = 0, lastRollback = 0, mostRollback = 0, framesWaited = 0;
};
std::string NetStatsText(const NetStatsFigures& f);

// Once a frame of an online match: F3 pressed shows or hides the line; shown, it is drawn
// again a few times a second.
class NetStatsLine {
 public:
  void Frame(const NetStatsFigures& figures);

 private:
  bool keyWas_ = true;  // a key held when the match begins is no press
  uint32_t frames_ = 0;
};
