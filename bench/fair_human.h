// bench: a scripted human for the computer tournament that plays as a fair person would.
// It looks only at what the arena shows (where fighters, fangs, items and chips are and
// which way they fly, its own fang icon) and answers through player 1's joystick input
// bits, the same bits a person's stick gives; it never changes anything in the game.
// Unarmed it walks to meet an item; armed it fires when the opponent stands roughly in
// line for the loaded fang type and otherwise walks toward the opponent's row. It steps out
// of the way of fangs coming at it, noticing each new fang only after a person's reaction
// time, and when no step helps it sometimes spends its fang on the emergency dodge. It
// picks up its own chips on the way and keeps out of the opponent's.
#pragma once
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <map>

#include "actors/Bramkoplayer.h"
#include "actors/Fang.h"
#include "actors/Item.h"
#include "actors/Tip.h"
#include "actors/BattleState.h"
#include "shell/Bramkoworld.h"
#include "shell/Game.h"

namespace fairhuman {

// What the human did over the matches since the last Reset (for the table).
struct Tally {
  long actions = 0, shots = 0, dodges = 0, evasions = 0;
};

namespace detail {

// How a person plays: reaction to a new fang, how often a lined-up shot is taken at once,
// how often an unavoidable fang is answered with the dodge, how often a step is careless.
constexpr int kReactSpreadMs = 120;
// The dodge: when no step clears a fang in time, and less often when a fang is about to hit
// where the human stands (a person cannot weigh every step that fast).
constexpr int kFirePercent = 80, kDodgePercent = 50, kCloseDodgePercent = 30, kCarelessPercent = 5;
constexpr int kCloseFrames = 10;
// Frames looked ahead for fangs and chips when choosing a step (a fang flies 12 cells).
constexpr int kLookFrames = 24;
constexpr int kNoHit = kLookFrames + 1;

enum Move { mvStay, mvUp, mvDown, mvLeft, mvRight, kMoves };
constexpr int kMoveDx[kMoves] = {0, 0, 0, -1, 1}, kMoveDy[kMoves] = {0, -1, 1, 0, 0};
constexpr int kMoveBits[kMoves] = {0, ibUp, ibDown, ibLeft, ibRight};

inline int Sign(int v) { return (v > 0) - (v < 0); }

struct Rng {
  uint32_t s = 1;
  int Next(int n) {
    s = s * 1103515245u + 12345u;
    return static_cast<int>((s >> 16) % static_cast<uint32_t>(n));
  }
  bool Percent(int p) { return Next(100) < p; }
};

// A fang as the human has taken it in.
struct Noticed {
  uint32_t seenAt = 0;
  int reactMs = 0;
  int x = 0, y = 0;    // where it was at the last look
  int dodgeRoll = -1;  // decided the first time this fang comes close
};

struct State {
  int side = 0;
  int reactMinMs = 100;
  Rng rng;
  std::map<const Fang*, Noticed> fangs;
  int lastSeenX = 416, lastSeenY = 160;  // where the opponent was last visible
  uint32_t lastTick = 0;
  bool haveLast = false;
  TInputBits lastBits = 0;
  Tally tally;
};

inline State& S() {
  static State s;
  return s;
}

struct Pos {
  int x, y;
};

// The own area: a step that leaves it is refused by the fighter.
inline bool CanStep(int side, Pos p, int m) {
  const int left = 304 * side;
  switch (m) {
    case mvUp: return p.y >= 16;
    case mvDown: return p.y <= 320 - 16 - 32;
    case mvLeft: return p.x >= left + 16;
    case mvRight: return p.x <= left + 256 - 16;
    default: return true;
  }
}

// A fang as it is seen flying: straight on; a slanting one bounces off the walls as the
// bouncing kind does, a straight one ends at the wall. False when it is gone.
struct Flyer {
  int x, y, dx, dy;
  bool Step() {
    if (x + dx < 0 || x + dx > 560) {
      if (dy == 0) return false;
      dx = -dx;
    }
    if (y + dy < 0 || y + dy > 288) {
      if (dx == 0) return false;
      dy = -dy;
    }
    x += 16 * dx;
    y += 16 * dy;
    return true;
  }
};

// The first frame (1..kLookFrames) at which the fang touches a fighter walking the path
// (pos[j] = place after the j-th step, steps at frames 0, 3, 6, ...), or kNoHit. Fangs act
// every second frame.
inline int FirstHit(Flyer f, const Pos* path, int steps) {
  for (int frame = 1; frame <= kLookFrames; ++frame) {
    if (frame % 2 == 1 && !f.Step()) return kNoHit;
    const Pos& p = path[std::min(steps, frame / 3 + 1)];
    if (std::abs(f.x - p.x) < 32 && std::abs(f.y - p.y) < 32) return frame;
  }
  return kNoHit;
}

// Chips met along the path within the look-ahead: + own, - the opponent's. Chips act every
// fifth frame.
inline int ChipsMet(int side, const Pos* path, int steps) {
  int score = 0;
  for (int i = 0; i < ChipsInPlay(); ++i) {
    const Tip* c = ChipAt(i);
    int cx = c->x;
    for (int frame = 1; frame <= kLookFrames; ++frame) {
      if (frame % 5 == 0) cx += 16 * c->dx;
      if (cx < 0 || cx >= 592) break;
      const Pos& p = path[std::min(steps, frame / 3 + 1)];
      if (p.x <= cx && cx <= p.x + 16 && p.y <= c->y && c->y <= p.y + 16) {
        score += c->owner == side ? 30 : -40;
        break;
      }
    }
  }
  return score;
}

// The first step toward a place, the longer way first.
inline int Toward(Pos from, Pos to) {
  const int ax = std::abs(to.x - from.x), ay = std::abs(to.y - from.y);
  if (ax == 0 && ay == 0) return mvStay;
  if (ax >= ay) return to.x > from.x ? mvRight : mvLeft;
  return to.y > from.y ? mvDown : mvUp;
}

inline int Clamp(int v, int lo, int hi) { return std::max(lo, std::min(hi, v)); }

// Where to stand to meet an item soonest, and in how many frames; false when none can be
// reached within its next 60 actions. Items act every second frame and bounce for ever.
inline bool ItemMeeting(int side, Pos me, Pos& at, int& when) {
  const int left = 304 * side;
  bool found = false;
  for (int i = 0; i < ItemsInPlay(); ++i) {
    const Item* it = ItemAt(i);
    Flyer f{it->x, it->y, it->lastDx, it->lastDy};
    for (int k = 1; k <= 60; ++k) {
      if (f.x + f.dx < 0 || f.x + f.dx > 560) f.dx = -f.dx;
      if (f.y + f.dy < 0 || f.y + f.dy > 288) f.dy = -f.dy;
      f.x += 16 * f.dx;
      f.y += 16 * f.dy;
      const int frame = 2 * k - 1;
      if (found && frame >= when) break;
      const Pos p{Clamp(Clamp(me.x, f.x - 16, f.x + 16), left, left + 256),
                  Clamp(Clamp(me.y, f.y - 16, f.y + 16), 0, 288)};
      if (std::abs(p.x - f.x) >= 32 || std::abs(p.y - f.y) >= 32) continue;
      const int steps = (std::abs(p.x - me.x) + std::abs(p.y - me.y)) / 16;
      if (3 * (steps - 1) <= frame) {
        at = p;
        when = frame;
        found = true;
        break;
      }
    }
  }
  return found;
}

// Where to stand to catch an own chip soonest; false when none can be caught.
inline bool ChipMeeting(int side, Pos me, Pos& at) {
  const int left = 304 * side;
  int best = 1 << 30;
  for (int i = 0; i < ChipsInPlay(); ++i) {
    const Tip* c = ChipAt(i);
    if (c->owner != side) continue;
    const int y = Clamp(Clamp(me.y, c->y - 16, c->y), 0, 288);
    if (y > c->y || c->y > y + 16) continue;  // a lane below the fighters' reach
    for (int k = 0, cx = c->x; k <= 40 && cx >= 0 && cx < 592; ++k, cx += 16 * c->dx) {
      const int x = Clamp(Clamp(me.x, cx - 16, cx), left, left + 256);
      if (x > cx || cx > x + 16) continue;
      const int steps = (std::abs(x - me.x) + std::abs(y - me.y)) / 16;
      if (3 * steps <= 5 * k) {
        if (5 * k < best) {
          best = 5 * k;
          at = {x, y};
        }
        break;
      }
    }
  }
  return best != 1 << 30;
}

// The flight of a fang of this type fired now from the shooter at (sx, sy) at a fighter
// standing still at (tx, ty), by the fang's own program (pauses end at once, runs do not
// repeat): the action at which it touches the fighter, or -1 when it misses or ends.
inline int ShotLands(int type, int sx, int sy, int tx, int ty, int maxSteps) {
  const MacroProgram prog = FangProgramTable[type];
  const int n = static_cast<int>(prog.size());
  int ldx = Sign(tx - sx), ldy = Sign(ty - sy);
  int x = sx + 32 * ldx, y = sy;
  auto touches = [&] { return std::abs(tx - x) < 32 && std::abs(ty - y) < 32; };
  if (touches()) return 0;
  int pc = 0, mark = 0, hb = 0, vb = 0;
  auto skipPast = [&](uint8_t closer) {
    while (pc < n && prog[static_cast<size_t>(pc)] != closer) ++pc;
    ++pc;
  };
  for (int step = 1; step <= maxSteps; ++step) {
    int dx = 0, dy = 0;
    bool acted = false;
    for (int guard = 0; guard < 64 && !acted; ++guard) {
      if (pc >= n) return -1;
      const uint8_t op = prog[static_cast<size_t>(pc++)];
      switch (op) {
        case mcBounces:
          if (pc + 2 > n) return -1;
          hb = static_cast<int8_t>(prog[static_cast<size_t>(pc)]);
          vb = static_cast<int8_t>(prog[static_cast<size_t>(pc + 1)]);
          pc += 2;
          break;
        case mcMark: mark = pc; break;
        case mcJump: pc = mark; break;
        case mcColumnTest: {
          const int C = tx >> 4, c = x >> 4;
          if (!((C == c || C + ldx == c || C + 2 * ldx == c) && (ty >> 4) != (y >> 4))) skipPast(mcEndColumnTest);
          break;
        }
        case mcRowTest:
          if (!((ty == y || ty + 16 * ldy == y || ty + 32 * ldy == y) && tx != x)) skipPast(mcEndRowTest);
          break;
        case mcPause:
          ++pc;
          ldx = Sign(tx - x);
          ldy = Sign(ty - y);
          acted = true;
          break;
        case mcStep:
        case mcRepeatStep: {
          if (pc + 2 > n) return -1;
          const uint8_t ox = prog[static_cast<size_t>(pc)], oy = prog[static_cast<size_t>(pc + 1)];
          pc += 2;
          dx = ox == moKeepX ? ldx : ox == moKeepXOrSide ? (ldx != 0 ? ldx : -1) : ox == moTowardX ? Sign(tx - x) : 0;
          dy = oy == moKeepY ? ldy : oy == moTowardY ? Sign(ty - y) : 0;
          if (x + dx < 0 || x + dx > 560) {
            if (hb == 0) return -1;
            if (hb > 0) --hb;
            dx = -dx;
          }
          if (y + dy < 0 || y + dy > 288) {
            if (vb == 0) return -1;
            if (vb > 0) --vb;
            dy = -dy;
          }
          ldx = dx;
          ldy = dy;
          acted = true;
          break;
        }
        default: break;
      }
    }
    if (!acted) return -1;
    x += 16 * dx;
    y += 16 * dy;
    if (touches()) return step;
  }
  return -1;
}

// Roughly in line for the loaded type: the shot would land on the opponent standing where
// it stands, soon enough that it has little time to leave (a turning fang needs a short
// turn; a straight one only the lane).
inline bool InLine(int type, Pos from, Pos target) {
  const int lands = ShotLands(type, from.x, from.y, target.x, target.y, 40);
  if (lands < 0) return false;
  const int rows = std::abs(target.y - from.y) / 16;
  switch (type) {
    case 1:
    case 8: return rows <= 3;
    case 2:
    case 9: return true;
    default: return lands <= 30;
  }
}

// One action's input: which step, whether to fire, whether to dodge.
inline TInputBits Decide(State& s, BramkoPlayer& me, BramkoPlayer& opp, uint32_t now) {
  ++s.tally.actions;
  const Pos here{me.x, me.y};
  const bool armed = me.loadedFang != -1;

  // The opponent as seen: hidden ones where they were last seen; gone while dodging.
  const bool oppAway = opp.x < 0 || opp.x > 560;
  if (opp.visible && !oppAway) {
    s.lastSeenX = opp.x;
    s.lastSeenY = opp.y;
  }
  const Pos target{s.lastSeenX, s.lastSeenY};

  // Fangs coming at the human that it has had time to take in.
  for (auto it = s.fangs.begin(); it != s.fangs.end();) {
    bool live = false;
    for (int i = 0; i < FangsInFlight() && !live; ++i) live = FangAt(i) == it->first;
    it = live ? std::next(it) : s.fangs.erase(it);
  }
  Flyer threats[16];
  Noticed* threatInfo[16];
  int threatCount = 0;
  for (int i = 0; i < FangsInFlight(); ++i) {
    const Fang* f = FangAt(i);
    if (f->targetIndex != s.side) continue;
    auto [entry, fresh] = s.fangs.try_emplace(f);
    // A fang acts at most twice between two looks; one that jumped further is a new fang
    // built where an old one was freed.
    if (!fresh && (std::abs(f->x - entry->second.x) > 32 || std::abs(f->y - entry->second.y) > 32)) {
      entry->second = Noticed{};
      fresh = true;
    }
    entry->second.x = f->x;
    entry->second.y = f->y;
    if (fresh) {
      entry->second.seenAt = now;
      entry->second.reactMs = s.reactMinMs + s.rng.Next(kReactSpreadMs + 1);
    }
    if (now - entry->second.seenAt < static_cast<uint32_t>(entry->second.reactMs) || threatCount == 16) continue;
    threatInfo[threatCount] = &entry->second;
    threats[threatCount++] = Flyer{f->x, f->y, f->lastDx, f->lastDy};
  }

  // Where it wants to go: an item when unarmed, the opponent's row when armed, else an own
  // chip, else the middle of its half.
  const int left = 304 * s.side;
  int goal = mvStay, goalWeight = 20;
  Pos at{};
  int when = 0;
  if (!armed && ItemMeeting(s.side, here, at, when)) {
    goal = Toward(here, at);
    goalWeight = 40;
  } else if (armed && !oppAway) {
    const int toward = s.side == 0 ? mvRight : mvLeft;
    if (target.y != here.y)
      goal = target.y < here.y ? mvUp : mvDown;
    else if (std::abs(here.x - (left + 128 + 64 * (1 - 2 * s.side))) > 48)
      goal = toward;  // closer to the middle line, for a shorter flight
    goalWeight = 30;
  } else if (ChipMeeting(s.side, here, at)) {
    goal = Toward(here, at);
  } else {
    goal = Toward(here, {left + 128, 144});
    goalWeight = 8;
  }
  if (s.rng.Percent(kCarelessPercent)) goal = s.rng.Next(kMoves);

  // Each first step, with up to three steps the same way to get clear of fangs.
  int bestMove = mvStay, bestSafe = -1, bestScore = 0, goalSafe = -1;
  for (int m = 0; m < kMoves; ++m) {
    if (!CanStep(s.side, here, m)) continue;
    Pos path[4] = {here, here, here, here};
    int safe = -1;
    for (int len = m == mvStay ? 0 : 1; len <= (m == mvStay ? 0 : 3); ++len) {
      if (len > 0 && !CanStep(s.side, path[len - 1], m)) break;
      if (len > 0) path[len] = {path[len - 1].x + 16 * kMoveDx[m], path[len - 1].y + 16 * kMoveDy[m]};
      for (int j = len + 1; j < 4; ++j) path[j] = path[len];
      int first = kNoHit;
      for (int t = 0; t < threatCount; ++t) first = std::min(first, FirstHit(threats[t], path, len));
      safe = std::max(safe, first);
    }
    if (m == goal) goalSafe = safe;
    Pos one[2] = {here, m == mvStay ? here : Pos{here.x + 16 * kMoveDx[m], here.y + 16 * kMoveDy[m]}};
    const int score = ChipsMet(s.side, one, 1) + (m == goal ? goalWeight : 0) + s.rng.Next(10);
    if (safe > bestSafe || (safe == bestSafe && score > bestScore)) {
      bestMove = m;
      bestSafe = safe;
      bestScore = score;
    }
  }
  if (goalSafe >= 0 && bestSafe > goalSafe) ++s.tally.evasions;  // a fang turned it from its way
  TInputBits bits = kMoveBits[bestMove];

  // A fang about to hit where it stands: with a fang loaded, sometimes the emergency dodge,
  // more likely when no step gets it clear in time. Once decided for a fang, it sticks.
  if (armed) {
    const Pos still[1] = {here};
    for (int t = 0; t < threatCount; ++t) {
      if (FirstHit(threats[t], still, 0) > kCloseFrames) continue;
      Noticed& n = *threatInfo[t];
      if (n.dodgeRoll < 0) n.dodgeRoll = s.rng.Percent(bestSafe <= 6 ? kDodgePercent : kCloseDodgePercent) ? 1 : 0;
      if (n.dodgeRoll == 1) {
        ++s.tally.dodges;
        return ibCancel;
      }
    }
  }
  const Pos after{here.x + 16 * kMoveDx[bestMove], here.y + 16 * kMoveDy[bestMove]};
  if (armed && !oppAway && InLine(me.loadedFang, after, target) && s.rng.Percent(kFirePercent)) {
    ++s.tally.shots;
    bits |= ibDecide;
  }
  return bits;
}

// Player 1's joystick: read by the fighter once per action; quiet outside the round's play.
inline TInputBits Poll() {
  State& s = S();
  if (!GameScreenActive || RoundOver != 0 || RoundClock <= 0) return 0;
  BramkoPlayer* me = Fighter(s.side);
  BramkoPlayer* opp = Fighter(1 - s.side);
  if (!me || !opp) return 0;
  const uint32_t now = TickCount();
  if (s.haveLast && now == s.lastTick) return s.lastBits;  // read twice in one tick
  s.haveLast = true;
  s.lastTick = now;
  s.lastBits = Decide(s, *me, *opp, now);
  return s.lastBits;
}

}  // namespace detail

// The quickest reaction to a new fang, in ms (a draw of up to 120 ms more is added).
inline constexpr int kDefaultReactMs = 100;

// Takes player 1's joystick for a new match of the human on the left side; call once the
// game has read its settings (GameOptions::afterCreate), which set the joystick pollers.
inline void Install(uint32_t seed, int reactMinMs = kDefaultReactMs) {
  detail::State& s = detail::S();
  const Tally kept = s.tally;
  s = detail::State{};
  s.tally = kept;
  s.rng.s = seed * 2654435761u + 99;
  s.reactMinMs = reactMinMs;
  JoystickPollerP1 = detail::Poll;
}

inline Tally TakeTally() {
  const Tally t = detail::S().tally;
  detail::S().tally = Tally{};
  return t;
}

}  // namespace fairhuman
