// actors: the fighter steered by the program (module Complayer). Each computer opponent is
// a record of the opponent table; every action the computer plans a step, decides whether
// to fire its loaded fang, and steps 16 pixels. A few characters have rules of their own.
#pragma once
#include <string>

#include "actors/Bramkoplayer.h"
#include "actors/Commove.h"
#include "platform/Translate.h"

struct OpponentRecord;

// Characters with rules of their own.
inline constexpr int kTransformingCharacter = 14;  // DoraQ: changes on a timetable
inline constexpr int kSnakeCharacter = 16;         // holds delayed fangs
inline constexpr int kSwitchingCharacter = 18;     // switches between two behaviours

// The numbers of a record that the computer's special rules swap in and out.
struct ComTuning {
  int fireWait, interceptLimit, reactPercent, chipLimit, fangSet, period;
};

// What a frame may change of a computer fighter beyond BramkoPlayer's. Its name stays as
// its record gave it.
struct ComputerState {
  int fireWait = 7, interceptLimit = 10, reactPercent = 0, chipLimit = 0;
  int rememberedDx = 0, rememberedDy = 0, transformStage = 0;
  ComTuning ownTuning{};
};

class ComPlayer : public BramkoPlayer {
 public:
  // Sheet CHAR2, mask MASK2, source (0, 32 (id + 1), 32, 32 (id + 2)); then ApplyRecord.
  ComPlayer(LField* stage, const platform::Bitmap* sheet, const platform::Bitmap* mask, const platform::Rect& source);

 protected:
  ~ComPlayer() override;

 public:
  // Takes name, character, tuning, fang set, period, fang power and chip value.
  void ApplyRecord(const OpponentRecord& record);

  // DoraQ's flicker through the sheet while it transforms, then the beat step.
  int Step() override;
  // One action: plan, firing decision, one 16-pixel step. Always 0.
  int Move() override;
  std::string GetName() override { return Tr(name); }  // name stays the table's key
  void ResetRound() override;

  // What the plan sees of the battle now, from this fighter's side.
  PlanView Snapshot() const;
  // The firing roll for the loaded fang (does nothing without one).
  void DecideFire(const PlanView& view);

  ComputerState SaveComputer() const;
  void LoadComputer(const ComputerState& s);

  std::string name;
  int fireWait = 7;
  int interceptLimit = 10;
  int reactPercent = 0;
  int chipLimit = 0;
  int rememberedDx = 0, rememberedDy = 0;
  int transformStage = 0;  // DoraQ only: 0..2 within each round

 private:
  void ApplyTuning(const ComTuning& t);
  void BackToOwnRow();

  ComTuning ownTuning_{};  // the record's values: DoraQ's stage 0
};

// DoraQ's stages 1 and 2 and the remaining round seconds at which each begins.
extern const ComTuning kTransformStages[3];
extern const int kTransformTimetable[3];
// The two behaviours of character 18.
extern const ComTuning kSwitchPatterns[2];

// Character 18's switch counter and pattern index: they live for the whole run and grow
// with every action of any computer fighter.
struct ComSwitchState {
  int counter = 0;
  int pattern = 0;
};
ComSwitchState& SwitchState();
// Back to the start of a run.
void ResetComPlayerRunState();
