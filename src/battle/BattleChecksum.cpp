// battle: the battle's checksum.
#include "battle/BattleChecksum.h"

#include "actors/Bramkoplayer.h"
#include "battle/ReplayFormat.h"
#include "field/Fieldxchip.h"
#include "actors/BattleState.h"
#include "shell/Bramkoworld.h"
#include "shell/Random.h"

namespace {

class Hash {
 public:
  void Add(int64_t v) {
    char bytes[8];
    for (int k = 0; k < 8; ++k) bytes[k] = static_cast<char>(v >> (8 * k));
    h_ = Fnv1a({bytes, sizeof bytes}, h_);
  }
  uint32_t value() const { return h_; }

 private:
  uint32_t h_ = kFnvStart;
};

}  // namespace

uint32_t BattleChecksum() {
  Hash h;
  h.Add(RandomState());
  h.Add(RoundClock);
  h.Add(RoundOver);
  for (int side = 0; side < 2; ++side) {
    const BramkoPlayer* f = Fighter(side);
    if (!f) continue;
    for (int v : {f->energy, f->score, f->roundsWon, f->chipCount, f->itemsTaken, f->fangHits, f->loadedFang,
                  f->flashCountdown, f->dodgeCountdown, f->framesSinceItem})
      h.Add(v);
  }
  // Fangs, items and chips: where each stands and what it shows.
  if (Arena) {
    for (int i = 0; i < Arena->GetSpriteCount(); ++i) {
      const LCharcter* s = Arena->GetSprite(i);
      if (!s) continue;
      for (int v : {s->x, s->y, s->source.left, s->source.top, static_cast<int>(s->visible)}) h.Add(v);
    }
  }
  return h.value();
}
