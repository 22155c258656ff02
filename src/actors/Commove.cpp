// actors: the computer player's movement plan.
#include "actors/Commove.h"

#include <algorithm>
#include <cstdlib>

#include "shell/Random.h"

namespace {

constexpr int kLastCol = 35;
constexpr int kLastRow = 18;

int Sign(int v) { return (v > 0) - (v < 0); }
int RandomSign() { return (RandomDraw() % 2) ? 1 : -1; }
// -1 with the given chance in ten for the row band, else +1: high up the computer mostly
// goes down, low down mostly up.
int VerticalByRow(int row) {
  int chance = row <= 4 ? 2 : (row <= 15 ? 5 : 8);
  return RandomDraw() % 10 < chance ? -1 : 1;
}

class Planner {
 public:
  Planner(const PlanView& v, PlanState& s, int& newEventFlag)
      : v_(v),
        s_(s),
        flag_(newEventFlag),
        i_(v.playerIndex),
        low_(19 * v.playerIndex),
        high_(19 * v.playerIndex + 16),
        col_(v.self.col()),
        row_(v.self.row()) {}

  void Run();

 private:
  bool InHalf(int c) const { return c >= low_ && c <= high_; }
  static bool InRows(int r) { return r >= 0 && r <= kLastRow; }
  bool Approaches(const PlanFang& f) const {
    return f.target == i_ && (col_ - f.col()) * f.lastDx >= 0 && (row_ - f.row()) * f.lastDy >= 0;
  }
  const PlanFang* FirstApproaching() const {
    for (const auto& f : v_.fangs)
      if (Approaches(f)) return &f;
    return nullptr;
  }
  bool Dangerous() const;
  bool Evade();               // true: handled
  bool SeekChips(int limit);  // true: chasing
  void Wander();
  bool PositionForAttack();  // true: keep
  void FinalSafety();
  void StepAwayFromColumn(int threatCol);
  int FollowThreat(const PlanFang& f, bool untilRow) const;

  const PlanView& v_;
  PlanState& s_;
  int& flag_;
  const int i_, low_, high_, col_, row_;
};

bool Planner::Dangerous() const {
  const PlanFang* f = FirstApproaching();
  if (!f) return false;
  int x = (col_ - f->col()) * f->lastDx, y = (row_ - f->row()) * f->lastDy;
  return x <= 7 && y <= 7;
}

void Planner::StepAwayFromColumn(int threatCol) {
  s_.dy = 0;
  s_.dx = col_ > threatCol ? 1 : (col_ < threatCol ? -1 : RandomSign());
}

// Follows a diagonal fang over up to five bounces until it reaches the own column (or, with
// untilRow, the own row); gives the row (or the column) where it gets there.
int Planner::FollowThreat(const PlanFang& f, bool untilRow) const {
  int g = f.col(), h = f.row(), m = f.lastDx, l = f.lastDy, bounces = 5;
  while ((untilRow ? h != row_ : g != col_) && bounces > 0) {
    if (g + m < 0 || g + m > kLastCol) {
      --bounces;
      m = -m;
    }
    if (h + l < 0 || h + l > kLastRow) {
      --bounces;
      l = -l;
    }
    g += m;
    h += l;
  }
  return untilRow ? g : h;
}

bool Planner::Evade() {
  const PlanFang* threat = nullptr;
  int best = 50;
  for (const auto& f : v_.fangs) {
    if (f.target != i_) continue;
    int vert = (row_ - f.row()) * f.lastDy;
    if (vert < -1) {
      // Flying away: only a bounce brings it back, after the way to the wall and back.
      if (f.vBounces == 0) continue;
      vert = 2 * (-vert + (f.lastDy > 0 ? kLastRow - f.row() : 0) + (f.lastDy < 0 ? f.row() : 0));
    }
    int horz = (col_ - f.col()) * f.lastDx;
    if (horz < -1) {
      if (f.hBounces == 0) continue;
      horz = 2 * (-horz + (f.lastDx > 0 ? kLastCol - f.col() : 0) + (f.lastDx < 0 ? f.col() : 0));
    }
    if (vert + horz <= best) {
      best = vert + horz;
      threat = &f;
    }
  }
  if (!threat) return false;
  const PlanFang& f = *threat;
  bool react = RandomDraw() % 100 < (v_.tuning.reactPercent & 127);
  if (f.lastDx != 0 && f.lastDy != 0) {
    if (!react) return false;
    int h = FollowThreat(f, false);
    s_.dx = 0;
    s_.dy = row_ < h ? -1 : (row_ > h ? 1 : RandomSign());
    if (row_ + s_.dy == kLastRow + 1 || row_ + s_.dy == -1) {
      int g = FollowThreat(f, true);
      s_.dy = 0;
      s_.dx = col_ < g ? -1 : (col_ > g ? 1 : 2 * i_ - 1);
    }
    return true;
  }
  if (!react) return true;  // keep going as before
  int k = RandomDraw() % 12;
  if (f.lastDy == 0) {
    if (k < 3) {
      StepAwayFromColumn(f.col());
    } else {
      s_.dx = 0;
      if (row_ != f.row()) {
        s_.dy = row_ > f.row() ? 1 : -1;
      } else {
        s_.dy = VerticalByRow(row_);
        if (f.row() <= 1) s_.dy = 1;
        if (f.row() >= 17) s_.dy = -1;
      }
    }
    return true;
  }
  // Vertical threat.
  if (k >= 3) {
    StepAwayFromColumn(f.col());
    if (f.row() <= 1) s_.dy = 1;
    if (f.row() >= 17) s_.dy = -1;
    if (f.col() < low_ + 2) s_.dx = 1;
    if (f.col() > low_ + 14) s_.dx = -1;
  } else {
    s_.dx = 0;
    s_.dy = row_ > f.row() ? 1 : (row_ < f.row() ? -1 : RandomSign());
  }
  return true;
}

bool Planner::SeekChips(int limit) {
  const PlanChip* chosen = nullptr;
  for (const auto& c : v_.chips) {
    if (c.owner != i_) continue;
    int n = std::abs(c.col() - col_), g = std::abs(c.row() - row_), s = c.col() - col_;
    int cost = n + g;
    if (!InHalf(c.col())) {
      if (c.dx == i_) continue;
      cost += 4 * n + 5;
    }
    if (s < 0 && c.dx == 1) cost *= 2;
    if (v_.opponent.armed() && (i_ == 0 ? s < 0 : s > 0)) cost -= 5;
    if (v_.self.armed() && (i_ == 0 ? s > 0 : s < 0)) cost -= 5;
    if (cost < limit) {
      limit = cost;
      chosen = &c;
    }
  }
  if (!chosen) return false;
  s_.dx = 0;
  int delta = chosen->row() - row_;
  if (delta >= 2) {
    s_.dy = 1;
  } else if (delta < 0) {
    s_.dy = -1;
  } else {
    s_.dy = 0;
    s_.dx = Sign(chosen->col() - col_);
    if (!InHalf(chosen->col())) {
      // The chip is still over the other half: wait for it near the wall or the centre.
      int w = 4 + (v_.opponent.armed() ? 0 : 1) - (v_.self.armed() ? 0 : 1);
      s_.dx = RandomDraw() % w < 2 ? 2 * i_ - 1 : 1 - 2 * i_;
    }
  }
  return true;
}

void Planner::Wander() {
  const bool oppArmed = v_.opponent.armed(), selfArmed = v_.self.armed();
  int w = s_.dy != 0 ? 6 : 3;
  if (flag_ == 2) w = 12;
  if (oppArmed && !selfArmed && v_.opponent.row() == row_) w = 1;
  if (s_.dx == 0 && s_.dy == 0) w = 1;
  if (flag_ == 1 && !(v_.tuning.reactPercent & 128)) {
    // Something happened: shift toward the centre when only we can shoot, back when only
    // the opponent can.
    flag_ = 2;
    s_.dy = 0;
    int k = (oppArmed ? -1 : 1) + (selfArmed ? 1 : -1);
    if (k > 0) s_.dx = 1 - 2 * i_;
    if (k < 0) s_.dx = 2 * i_ - 1;
    return;
  }
  if (RandomDraw() % w != 0) return;
  flag_ = 0;
  int k = RandomDraw() % 12;
  if (!oppArmed && selfArmed) k -= 2;
  if (k < 5) {
    s_.dy = 0;
    int h = RandomDraw() % 4 + (oppArmed ? 0 : 1) - (selfArmed ? 0 : 1);
    s_.dx = h >= 2 ? 1 - 2 * i_ : 2 * i_ - 1;
  } else {
    s_.dx = 0;
    s_.dy = VerticalByRow(row_);
  }
}

bool Planner::PositionForAttack() {
  if (Evade()) return true;
  if (!v_.self.armed()) return false;
  const PlanFighter& opp = v_.opponent;
  const int type = v_.self.loadedFang;
  const int e = opp.aimCol();
  int t = 0;
  if (e <= 23 - 19 * i_) t += 2;
  if (e <= 27 - 19 * i_) t += 6;
  if (type == 2) t *= 2;
  if (SeekChips(std::min(v_.tuning.chipLimit, t))) return true;
  s_.dx = s_.dy = 0;
  const int oppRow = opp.row();
  if (type == 1 || type == 2 || type == 5) {
    // Horizontal shooters line up on the opponent's row first.
    if (oppRow < row_) {
      s_.dy = -1;
      return true;
    }
    if (oppRow > row_) {
      s_.dy = 1;
      return true;
    }
    s_.dx = e < col_ ? -1 : (e > col_ ? 1 : 0);
  } else {
    // Diagonal shooters look for a row distance that fits the column distance.
    int c = std::abs(col_ - e);
    int k;
    if (opp.dx == 2 * i_ - 1 || opp.dy != 0) {
      k = 17;
    } else {
      k = 10;
      if (type == 4) c -= 3;
    }
    int a = std::abs(row_ - oppRow);
    if (c > a * k / 10) {
      s_.dx = e < col_ ? -1 : (e > col_ ? 1 : 0);
      if (!InHalf(col_ + s_.dx)) {
        int h = oppRow, m = c * 10 / k, o = h - m;
        if (h + m > kLastRow && o < 0) {
          s_.dy = -o < h + m - kLastRow ? -1 : 1;
        } else if (h + m >= kLastRow + 1) {
          s_.dy = -1;
        } else if (o < 0) {
          s_.dy = 1;
        } else {
          s_.dy = oppRow < row_ ? 1 : (oppRow > row_ ? -1 : s_.dy);
        }
      }
    }
    if (a > c * k / 10) s_.dy = oppRow < row_ ? -1 : (oppRow > row_ ? 1 : s_.dy);
  }
  return InHalf(col_ + s_.dx) && InRows(row_ + s_.dy);
}

void Planner::FinalSafety() {
  const PlanFang* f = FirstApproaching();
  if (!InHalf(col_ + s_.dx)) {
    s_.dx = 0;
    if (f) s_.dy = -f->lastDy;
    if (!InRows(row_ + s_.dy)) s_.dy = 0;
  }
  if (!InRows(row_ + s_.dy)) {
    s_.dy = 0;
    if (f) s_.dx = -f->lastDx;
    if (!InHalf(col_ + s_.dx)) s_.dx = 0;
  }
  s_.rememberedDx = s_.dx;
  s_.rememberedDy = s_.dy;
}

void Planner::Run() {
  if (!Dangerous()) {
    int cost, dx, dy;
    if (ChooseItem(v_, &cost, &dx, &dy)) {
      s_.dx = s_.rememberedDx = dx;
      s_.dy = s_.rememberedDy = dy;
      return;
    }
  }
  s_.dx = s_.rememberedDx;
  s_.dy = s_.rememberedDy;
  bool keep = v_.tuning.fireWait == 999 && PositionForAttack();
  if (keep) {
    s_.rememberedDx = s_.dx;
    s_.rememberedDy = s_.dy;
  } else if (!Evade() && !SeekChips(v_.tuning.chipLimit)) {
    Wander();
  }
  FinalSafety();
}

}  // namespace

bool InterceptItem(const PlanView& view, int c, int r, int e, int f, int t0, int* time, int* dx, int* dy) {
  const int i = view.playerIndex, low = 19 * i, high = 19 * i + 16;
  const int col = view.self.col(), row = view.self.row(), beat = view.self.period + 1;
  const int x = (col - c) * e, y = (row - r) * f;
  if (x < 0 || y < 0) return false;
  int t = 0;
  if (x < y) {
    // Meet it in the own row, if it crosses that row over the own half.
    int cc = c, rr = r;
    while (rr != row) {
      cc += e;
      rr += f;
      t += 2;
    }
    if (cc >= low && cc <= high) {
      int n = std::abs(cc - col);
      if ((t0 + t) / beat <= n - 1) return false;
      *dx = Sign(cc - col);
      *dy = 0;
      *time = std::max(t, beat * n);
      return true;
    }
    // Crosses over the other half: fall back to meeting it in the own column (t goes on).
  }
  int cc = c, rr = r;
  while (cc != col) {
    cc += e;
    rr += f;
    t += 2;
  }
  if (rr < 0 || rr > kLastRow) return false;
  int n = std::abs(rr - row);
  if ((t0 + t) / beat <= n - 1) return false;
  *dx = 0;
  *dy = Sign(rr - row);
  *time = std::max(t, beat * n);
  return true;
}

bool ChooseItem(const PlanView& view, int* cost, int* dx, int* dy) {
  const int limit = view.tuning.interceptLimit;
  int best = limit;
  bool found = false;
  for (const auto& item : view.items) {
    if (item.lastDx == 0 || item.lastDy == 0) continue;
    int c = item.col(), r = item.row(), e = item.lastDx, f = item.lastDy, t = 0;
    while (true) {
      int k, ix, iy;
      if (InterceptItem(view, c, r, e, f, t, &k, &ix, &iy)) {
        if (t + k < best) {
          best = t + k;
          *cost = best;
          *dx = ix;
          *dy = iy;
          found = true;
        }
        break;
      }
      // On to the next bounce of the prediction.
      while (true) {
        c += e;
        r += f;
        if (c <= 0) e = 1;
        if (c >= kLastCol) e = -1;
        if (r <= 0) f = 1;
        if (r >= kLastRow) f = -1;
        if (c > 0 && c < kLastCol && r > 0 && r < kLastRow) {
          t += 2;
        } else {
          break;
        }
      }
      if (t > limit) break;
    }
  }
  return found;
}

void PlanMove(const PlanView& view, PlanState& state, int& newEventFlag) { Planner(view, state, newEventFlag).Run(); }
