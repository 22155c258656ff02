// online: saving every frame's battle, and playing frames again.
#include "online/Rollback.h"

#include <algorithm>
#include <chrono>

#include "actors/BattleState.h"
#include "battle/BattleChecksum.h"
#include "battle/BattleFrame.h"
#include "shell/Bramkoworld.h"
#include "shell/GameMedia.h"

bool RoundEnds() { return RoundClock == 0 || RoundOver != 0; }

void Rollback::Begin(uint32_t frame, uint8_t remote) {
  playing_ = frame;
  PlayedFrame& p = Frame(frame);
  SaveBattle(p.before);
  p.remote = remote;
  p.reads.clear();
  p.checkpoint = false;
}

void Rollback::NoteCheckpoint(uint32_t checksum) {
  PlayedFrame& p = Frame(playing_);
  p.checkpoint = true;
  p.checksum = checksum;
}

uint32_t Rollback::PlayAgain(uint32_t from, uint32_t to, const std::function<uint8_t(uint32_t)>& remote) {
  const auto start = std::chrono::steady_clock::now();
  SaveBattle(shown_);
  RestoreBattle(Frame(from).before);
  const bool silencedBefore = EffectsSilenced;
  EffectsSilenced = true;
  uint32_t f = from;
  for (;; ++f) {
    if (f != from) {
      Begin(f, remote(f));
    } else {
      playing_ = f;
      Frame(f).remote = remote(f);
      Frame(f).reads.clear();
    }
    PlayedFrame& p = Frame(f);
    PlayFrame();
    p.checkpoint = TickRoundClock();
    if (p.checkpoint) p.checksum = BattleChecksum();
    if (f >= to || RoundEnds()) break;
  }
  EffectsSilenced = silencedBefore;
  ShowRestoredBattle(shown_);
  const uint32_t length = f - from + 1;
  ++stats_.rollbacks;
  stats_.last = length;
  stats_.most = std::max(stats_.most, length);
  stats_.framesAgain += length;
  ++stats_.byLength[std::min<size_t>(length, stats_.byLength.size() - 1)];
  stats_.againNs += static_cast<uint64_t>(
      std::chrono::duration_cast<std::chrono::nanoseconds>(std::chrono::steady_clock::now() - start).count());
  return f;
}
