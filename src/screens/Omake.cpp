// screens: the extras menu: its entries, their opponents and the way back.
#include "screens/Omake.h"

#include "actors/Comparas.h"
#include "screens/Untiku.h"
#include "shell/Bramkoworld.h"

int OmakeLastWaypoint = 0;

namespace {

// Top-left corners of the hero beside each caption of the picture.
const LPoint kEntries[6] = {{118, 126}, {118, 158}, {118, 190}, {118, 222}, {118, 254}, {118, 286}};

// DoraQ's sons, eldest first, as they stand in the picture.
const char* const kSons[5] = {"ドラＢ", "ドラＧ", "ドラＰ", "ドラＴ", "ドラＸ"};
constexpr int kBackEntry = 5;

const OpponentRecord* SonRecord(int entry) {
  const OpponentTable& table = Opponents();
  for (int i = 0; i < table.size(); ++i)
    if (table[i].name == kSons[entry]) return &table[i];
  return nullptr;
}

int ExtrasSelect() {
  const int entry = CurrentWaypoint;
  OmakeLastWaypoint = entry;
  if (entry == kBackEntry) {
    SetSceneStep(nullptr);
    delete CurrentMapScene;
    StartMainMenu();
    return 0;
  }
  // The menu stays alive under the profile screen, which shows it again afterwards.
  if (entry >= 0 && entry < kBackEntry) {
    if (const OpponentRecord* son = SonRecord(entry)) ShowProfile(FieldMapStep, *son);
  }
  return 0;
}

}  // namespace

Omake::Omake(platform::Canvas& canvas) : FieldMap(canvas, "C2MENU5", midExtras) {
  SceneName = "Omake";
  for (const LPoint& p : kEntries) AddWaypoint(&p);
  SelectHandler = ExtrasSelect;
  MoveCursorTo(OmakeLastWaypoint);
  RedrawAll();
  SetSceneStep(FieldMapStep);
}

void ConstructExtrasMenu(platform::Canvas& canvas) { new Omake(canvas); }

void ResetExtrasMenu() { OmakeLastWaypoint = 0; }
