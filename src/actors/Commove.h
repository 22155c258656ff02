// actors: how the computer player chooses its step (module Commove). Everything here works
// on a snapshot of the battle on the 16-pixel grid, so the plan can be tried on hand-built
// situations; ComPlayer takes the snapshot from the live sprites every action.
#pragma once
#include <vector>

struct PlanFighter {
  int x = 0, y = 0;    // arena pixels, top-left corner
  int dx = 0, dy = 0;  // direction of its last action
  int loadedFang = -1;
  int dodgeCountdown = 0, dodgeSavedX = 0;
  int period = 2;
  int framesSinceItem = 0;
  int flashCountdown = 0;

  int col() const { return x >> 4; }
  int row() const { return y >> 4; }
  bool armed() const { return loadedFang != -1; }
  bool dodging() const { return dodgeCountdown > 0; }
  // Where to aim: a dodging fighter comes back to its saved x.
  int aimCol() const { return (dodging() ? dodgeSavedX : x) >> 4; }
};

struct PlanFang {
  int target = 0;  // playerIndex of the fighter it flies at
  int x = 0, y = 0;
  int lastDx = 0, lastDy = 0;
  int hBounces = 0, vBounces = 0;  // -1 unlimited, 0 none left
  int col() const { return x >> 4; }
  int row() const { return y >> 4; }
};

struct PlanItem {
  int x = 0, y = 0;
  int lastDx = 0, lastDy = 0;
  int col() const { return x >> 4; }
  int row() const { return y >> 4; }
};

struct PlanChip {
  int owner = 0;
  int x = 0, y = 0;
  int dx = 0;
  int col() const { return x >> 4; }
  int row() const { return y >> 4; }
};

// The opponent record's tuning as the computer holds it now (some characters change it).
struct PlanTuning {
  int fireWait = 7;
  int interceptLimit = 10;
  int reactPercent = 0;
  int chipLimit = 0;
};

struct PlanView {
  int playerIndex = 1;
  PlanFighter self, opponent;
  PlanTuning tuning;
  std::vector<PlanFang> fangs;  // in firing order
  std::vector<PlanItem> items;  // in creation order
  std::vector<PlanChip> chips;  // in creation order
};

// The direction the plan settles on and the one it remembers for the next action.
struct PlanState {
  int dx = 0, dy = 0;
  int rememberedDx = 0, rememberedDy = 0;
};

// One plan: danger check, item interception, attack positioning or evasion, chip seeking,
// wander, final safety. Starts from state.remembered*, leaves the chosen step in state.dx/dy
// and updates state.remembered*. Reads and writes the battle's newEventFlag through the
// reference. Random choices draw from the game's one generator.
void PlanMove(const PlanView& view, PlanState& state, int& newEventFlag);

// The intercept of an item predicted at cell (c, r) flying (e, f), t0 frames from now.
// On success returns true with the meeting time in *time and the step in *dx, *dy.
bool InterceptItem(const PlanView& view, int c, int r, int e, int f, int t0, int* time, int* dx, int* dy);

// Cheapest item worth chasing: its cost (frames until caught) and step; false when no item
// can be caught in under interceptLimit frames.
bool ChooseItem(const PlanView& view, int* cost, int* dx, int* dy);
