// battle: the fighters of a match, by record or human, with their gauge tiles.
#include "actors/Comparas.h"
#include "actors/Complayer.h"
#include "actors/Manplayer.h"
#include "battle/BattleParts.h"
#include "field/Fieldxchip.h"
#include "actors/BattleState.h"
#include "shell/Bramkoworld.h"

namespace {

void CopyGaugeTiles(int side, int sourceX) {
  for (int k = 0; k < 3; ++k)
    GaugeTiles[3 * side + k].GetCanvas().CopyRect({0, 0, 8, 8}, SpriteSheet,
                                                  {sourceX, 32 + 8 * k, sourceX + 8, 40 + 8 * k});
}

}  // namespace

BramkoPlayer* CreateFighter(int side, const OpponentRecord* record) {
  if (!record) {
    auto* f = new ManPlayer(Arena, &SpriteSheet, &SpriteMask, {0, 576 * side, 32, 576 * side + 32});
    CopyGaugeTiles(side, 256 + 288 * side);
    return f;
  }
  const int c = record->characterId;
  auto* f = new ComPlayer(Arena, &SpriteSheet, &SpriteMask, {0, 32 * c + 32, 32, 32 * c + 64});
  f->ApplyRecord(*record);
  CopyGaugeTiles(side, 272 + 16 * c);
  return f;
}
