// actors: the tactical wait of the computers that aim.
#include "actors/CommoveAim.h"

#include <algorithm>
#include <cstdlib>

namespace {

constexpr int kNoChance = 999;

}  // namespace

// Which vertical steps count like closing in for the diagonal fangs. A fang covers a cell in
// two frames, a walking fighter in three. One walking away along the fang's vertical path is
// caught only far beyond the diagonal (at about three times the row distance), so the wide
// window of closing in fits it better than the diagonal one; one walking toward the fang is
// met short of the diagonal, where the narrow window fits. So we compare the opponent's row
// with ours together with its direction, as the row fangs do. Taking the direction alone
// (every upward step, or a downward one while we stand on row 0) would fire the wide window
// at fighters walking up into the fang from below, and miss.
bool MovesVerticallyAway(const PlanFighter& self, const PlanFighter& opponent) {
  return (opponent.dy < 0 && opponent.row() < self.row()) || (opponent.dy > 0 && opponent.row() > self.row());
}

int TacticalWait(const PlanView& view, int fangsInFlight, int urgency) {
  const PlanFighter& self = view.self;
  const PlanFighter& opp = view.opponent;
  const int i = view.playerIndex;
  const int d = std::abs(self.col() - opp.aimCol());
  const int b = std::abs(self.row() - opp.row());
  const int type = self.loadedFang;
  const bool closing = opp.dx == 2 * i - 1;
  const bool still = opp.dx == 0 && opp.dy == 0;
  const bool away = MovesVerticallyAway(self, opp);
  int c = kNoChance;

  switch (type) {
    case 1:
    case 5:
      if (away || b > 3) break;
      c = d < 10 ? 3 : (d < 12 ? 12 : 50);
      if (b >= 2) c *= 3;
      if (d < 7) c = 1;
      if (b != 0 && closing) c >>= 1;
      if (d < 12 && still) c = 1;
      break;
    case 2:
      if (b > 2 || (b == 2 && (away || self.row() == 0))) break;
      c = d < 5 ? 1 : (d < 7 ? 3 : (d < 10 ? 15 : 300));
      if (opp.dy != 0) c *= 3;
      if (b != 0 && closing) c >>= 1;
      if (d < 10 && still) c = 1;
      break;
    case 3: {
      if (b == 0 || d == 0) c = 3;
      bool m = closing || away;
      if (m) {
        if (15 * b / 10 <= d && d <= 19 * b / 10) c = d < 15 ? 15 : 50;
      } else if (d == b || d == b + 1 || d == b - 1) {
        c = d < 15 ? 15 : 50;
        if (d < 12 && still) c = 1;
      }
      break;
    }
    case 4: {
      if (d > b) c = 500;
      bool m = closing || away;
      if (m && 15 * b / 10 <= d && d <= 19 * b / 10) {
        c = d < 7 ? 1 : (d < 10 ? 4 : (d < 12 ? 15 : 50));
      } else if (!m && d - b >= 0 && d - b <= 6) {
        c = d < 7 ? 1 : (d < 10 ? 5 : (d < 12 ? 20 : 50));
        if (d < 12 && still) c = 1;
      }
      break;
    }
    case 6: {
      if (d > b) c = 500;
      int g = d - b;
      if ((g >= 0 && g <= 3) || (g >= 6 && g <= 12)) {
        c = d <= 5 ? 1 : (d <= 10 ? 3 : (d <= 15 ? 6 : d));
        if (d < 12 && still) c = 1;
      }
      break;
    }
    case 7: c = 7; break;
    default: break;
  }

  // More fangs in the air: shoot sooner.
  int shift = (type == 1 ? fangsInFlight : 2 * fangsInFlight) & 31;
  // cppcheck-suppress shiftTooManyBits ; shift is below 32 (masked above)
  c >>= shift;
  if (type == 1 && ((self.row() > 12 && self.row() < 18 && opp.row() > self.row()) ||
                    (self.row() > 0 && self.row() < 6 && opp.row() < self.row())))
    c >>= 1;
  if (self.framesSinceItem < 4) c >>= 1;
  if (opp.framesSinceItem <= 4) c >>= 1;
  if (self.framesSinceItem < 7) c >>= 1;
  if (c != kNoChance) {
    if (opp.flashCountdown >= 2) c = 1;
    if (urgency > 0) c >>= 1;
    if (opp.dodging()) c = opp.dodgeCountdown * (opp.period + 1) > 2 * (d - 2) ? kNoChance : 1;
  }
  for (const auto& item : view.items) {
    int x = (opp.col() - item.col()) * item.lastDx, y = (opp.row() - item.row()) * item.lastDy;
    if (x >= 0 && x <= 5 && y >= 0 && y <= 5) c = std::min(c >> 1, 4);
  }
  return std::max(c, 1);
}
