// platform/media (internal): the mixer's one tune slot. A tune plays from the cache when it has
// been rendered there (TunePreparer does that ahead of time, the playing tune first);
// otherwise the synthesizer renders it as it plays, and the play goes over to the cached
// samples as soon as they are ready, at the same place, as they are the same samples.
// Rendering costs about 1 % of a core all the time a tune plays; the cache costs a copy.
// Play, Stop, Over, Rendering and Prepare belong to the game's thread; Fill to the audio
// thread; Adopt to the preparer's.
#pragma once
#include <cstdint>
#include <memory>
#include <mutex>
#include <optional>
#include <vector>

#include "platform/media/TuneCache.h"
#include "platform/media/TunePreparer.h"
#include "platform/media/TuneSynth.h"

namespace platform::media {

class TunePlayer {
 public:
  // idle: the preparer renders on the lowest priority.
  TunePlayer(int rate, float gain, std::string soundFont, TuneCache cache, bool idle = true);
  TunePlayer(const TunePlayer&) = delete;
  TunePlayer& operator=(const TunePlayer&) = delete;

  // Starts the tune from its beginning; false (and silence) when it can be neither found in
  // the cache nor rendered. lengthMs is how long the tune plays by its own reading; without
  // it, the tune is not rendered ahead.
  bool Play(const std::vector<uint8_t>& midi, std::optional<uint32_t> lengthMs);
  void Stop();
  // Nothing more to hear: the samples or the synthesizer's notes have run out.
  bool Over();
  // The play is rendered by the synthesizer as it goes (not taken from the cache).
  bool Rendering();
  // Renders the tune into the cache before it is first played, unless it is there already.
  void Prepare(const std::vector<uint8_t>& midi, std::optional<uint32_t> lengthMs);
  // Tunes are still being rendered ahead.
  bool Preparing() { return preparer_.Busy(); }

  // Interleaved stereo frames of the tune, silence when none plays.
  void Fill(int16_t* out, int frames);

 private:
  void Adopt(uint64_t key, std::shared_ptr<const Samples> whole);
  // Short enough to be rendered ahead and kept.
  static bool Keepable(std::optional<uint32_t> lengthMs);

  const int rate_;
  const float gain_;
  const std::string soundFont_;
  const std::string identity_;
  const TuneCache cache_;

  std::mutex m_;                        // guards everything below until the next comment
  std::shared_ptr<const Samples> pcm_;  // the play is cached samples...
  size_t pos_ = 0;
  std::unique_ptr<TuneSynth> synth_;  // ...or the synthesizer
  size_t livePos_ = 0;                // samples the synthesizer gave this play
  uint64_t key_ = 0;
  // The samples of the play Stop ended last, for its loop's next round (the game's thread
  // alone reads them).
  uint64_t lastKey_ = 0;
  std::shared_ptr<const Samples> lastPcm_;
  TunePreparer preparer_;  // last: it stops before the rest goes
};

}  // namespace platform::media
