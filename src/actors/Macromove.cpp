// actors: the flight program interpreter, the twelve flight programs and WaitDivisor.
#include "actors/Macromove.h"

#include <cstdlib>

#include "actors/Bramkoplayer.h"
#include "actors/Fang.h"
#include "shell/Random.h"

namespace {

// One line per instruction; 255 is the bounce count -1 (unlimited).
const uint8_t kProgram0[] = {4, 255, 255, 5, 1, 22, 23, 6};
const uint8_t kProgram1[] = {4, 0, 0, 5, 10, 1, 0, 25, 5, 1, 0, 23, 6, 111, 1, 22, 0, 6};
const uint8_t kProgram2[] = {4, 0, 0, 5, 1, 22, 0, 6};
const uint8_t kProgram3[] = {4, 7, 7, 5, 1, 22, 23, 6};
const uint8_t kProgram4[] = {4, 0, 0, 5, 12, 5, 1, 22, 0, 6, 113, 1, 22, 25, 6};
const uint8_t kProgram5[] = {4, 0,  0, 5, 10,  1, 0, 25, 5, 12,  1, 24, 0, 5,
                             1, 22, 0, 6, 113, 1, 0, 23, 6, 111, 1, 22, 0, 6};
const uint8_t kProgram6[] = {4, 0, 0, 5, 12, 5, 10, 1, 0, 25, 5, 1, 0, 23, 6, 111, 1, 22, 0, 6, 113, 1, 22, 25, 6};
const uint8_t kProgram7[] = {4, 0, 1, 5, 10, 4, 0, 0, 1, 0, 25, 5, 1, 0, 23, 6, 111, 1, 22, 23, 6};
const uint8_t kProgram8[] = {4, 0, 0, 27, 22, 0, 26, 1, 5, 10, 1, 0, 25, 5, 1, 0, 23, 6, 111, 1, 22, 0, 6};
const uint8_t kProgram9[] = {4, 0, 0, 27, 22, 0, 26, 2, 5, 1, 22, 0, 6};
const uint8_t kProgram10[] = {4, 7, 7, 27, 22, 0, 26, 3, 5, 1, 22, 23, 6};
const uint8_t kProgram11[] = {4, 0, 0, 27, 22, 0, 26, 4, 5, 12, 5, 1, 28, 0, 6, 113, 1, 22, 25, 6};

// Every loop of a program reaches a step or a pause within a few instructions; a program
// that runs this long without one (or off its end) is broken, and its sprite goes.
constexpr int kInstructionsPerAction = 256;

}  // namespace

const MacroProgram FangProgramTable[kFangProgramCount] = {
    kProgram0, kProgram1, kProgram2, kProgram3, kProgram4,  kProgram5,
    kProgram6, kProgram7, kProgram8, kProgram9, kProgram10, kProgram11,
};

MacroMove::MacroMove(LField* stage, const platform::Bitmap* sheet, const platform::Bitmap* mask,
                     const platform::Rect& source)
    : BramkoChar(stage, sheet, mask, source) {
  period = 1;
}

MacroMove::~MacroMove() = default;

void MacroMove::SetProgram(MacroProgram code) {
  program = code;
  pc = 0;
  mark = 0;
}

FlightState MacroMove::SaveFlight() const {
  int index = -1;
  for (int i = 0; i < kFangProgramCount; ++i)
    if (program.data() == FangProgramTable[i].data() && program.size() == FangProgramTable[i].size()) index = i;
  return {index, pc, mark, hBounces, vBounces, targetIndex, dx, dy, lastDx, lastDy};
}

void MacroMove::LoadFlight(const FlightState& s) {
  // A program from outside the table cannot be named: the sprite goes at its next action.
  program = s.program >= 0 && s.program < kFangProgramCount ? FangProgramTable[s.program] : MacroProgram{};
  pc = s.pc;
  mark = s.mark;
  hBounces = s.hBounces;
  vBounces = s.vBounces;
  targetIndex = s.targetIndex;
  dx = s.dx;
  dy = s.dy;
  lastDx = s.lastDx;
  lastDy = s.lastDy;
}

int MacroMove::Move() {
  if (RunProgram() == -1) {
    Release();
    return -1;
  }
  x += dx * speed;
  y += dy * speed;
  return 0;
}

int MacroMove::RunProgram() {
  const int size = static_cast<int>(program.size());
  auto has = [&](int count) { return pc >= 0 && pc + count <= size; };
  auto next = [&]() { return program[static_cast<size_t>(pc++)]; };
  auto skipPast = [&](uint8_t closer) {
    while (pc < size && program[static_cast<size_t>(pc)] != closer) ++pc;
    ++pc;  // past the closer (or past the end, which ends the sprite at the next fetch)
  };

  for (int guard = 0; guard < kInstructionsPerAction; ++guard) {
    if (!has(1)) return -1;
    const uint8_t op = next();
    switch (op) {
      case mcBounces:
        if (!has(2)) return -1;
        hBounces = static_cast<int8_t>(next());
        vBounces = static_cast<int8_t>(next());
        break;
      case mcMark: mark = pc; break;
      case mcJump: pc = mark; break;
      case mcColumnTest: {
        const int C = FighterX(targetIndex) >> 4, c = column();
        const bool lined = C == c || C + lastDx == c || C + 2 * lastDx == c;
        if (!(lined && (FighterY(targetIndex) >> 4) != row())) skipPast(mcEndColumnTest);
        break;
      }
      case mcRowTest: {
        const int Y = FighterY(targetIndex);
        const bool lined = Y == y || Y + 16 * lastDy == y || Y + 32 * lastDy == y;
        if (!(lined && FighterX(targetIndex) != x)) skipPast(mcEndRowTest);
        break;
      }
      case mcPause: {
        if (!has(1)) return -1;
        dx = dy = 0;
        const int level = program[static_cast<size_t>(pc)];
        const int w =
            WaitDivisor((FighterX(targetIndex) >> 4) - column(), (FighterY(targetIndex) >> 4) - row(), 100, level);
        if (RandomDraw() % w != 0) {
          --pc;  // back onto the pause: it runs again at the next action
          return 0;
        }
        lastDx = Sign(FighterX(targetIndex) - x);
        lastDy = Sign(FighterY(targetIndex) - y);
        ++pc;
        return 0;
      }
      case mcStep:
      case mcRepeatStep: {
        if (!has(2)) return -1;
        const uint8_t ox = next(), oy = next();
        if (ox == moKeepX)
          dx = lastDx;
        else if (ox == moKeepXOrSide)
          dx = lastDx != 0 ? lastDx : (targetIndex == 0 ? -1 : 1);
        else if (ox == moTowardX)
          dx = Sign(FighterX(targetIndex) - x);
        else
          dx = 0;
        if (oy == moKeepY)
          dy = lastDy;
        else if (oy == moTowardY)
          dy = Sign(FighterY(targetIndex) - y);
        else
          dy = 0;
        if (op == mcRepeatStep && RandomDraw() % 12 != 0) pc -= 3;  // the run goes on
        if (x + dx < 0 || x + dx > 560) {
          if (hBounces != 0) {
            if (hBounces > 0) --hBounces;
            dx = -dx;
          } else if (has(1) && program[static_cast<size_t>(pc)] == mcRepeatStep) {
            dx = 0;  // a run that goes on waits at the wall
          } else {
            return -1;
          }
        }
        if (y + dy < 0 || y + dy > 288) {
          if (vBounces != 0) {
            if (vBounces > 0) --vBounces;
            dy = -dy;
          } else {
            return -1;
          }
        }
        lastDx = dx;
        lastDy = dy;
        return 0;
      }
      default: break;  // block closers and anything unknown
    }
  }
  return -1;
}

int WaitDivisor(int a, int b, int base, int kind) { return WaitDivisor(a, b, base, kind, FangsInFlight()); }

int WaitDivisor(int a, int b, int base, int kind, int fangsInFlight) {
  a = std::abs(a);
  b = std::abs(b);
  int w = base;
  const int d = a - b;
  auto kind4 = [&] { w = a <= 5 ? 1 : a <= 10 ? 3 : a <= 15 ? 6 : a; };
  switch (kind) {
    case 1:
    case 5:
      if (b <= 6) {
        w = a < 5 ? 2 : a < 10 ? 4 : a < 15 ? 6 : base;
        if (b == 0) w /= 2;
      }
      break;
    case 2:
      w = base + 4 * b;
      if (b <= 3) {
        w = a < 4 ? 2 : a < 7 ? 4 : a < 12 ? 6 : base + 4 * b;
        if (b == 0) w /= 2;
      }
      break;
    case 3: w = (b == 0 || a == 0 || a == b || a == b + 1 || a == b - 1) ? 3 : base + a / 2; break;
    case 4:
      if (d >= 0 && d <= 6) kind4();
      break;
    case 6:
      if ((d >= 0 && d <= 3) || (d >= 6 && d <= 12)) kind4();
      break;
    case 7: w = 7; break;
    default: break;
  }
  const unsigned shift = static_cast<unsigned>(kind == 1 ? fangsInFlight : 2 * fangsInFlight) % 32u;
  w >>= shift;
  return w < 1 ? 1 : w;
}
