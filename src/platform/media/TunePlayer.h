// platform (internal): the mixer's one tune slot. A tune plays from the cache when it was
// rendered before; otherwise the synthesizer renders it while it plays, and what it rendered
// goes to the cache. Rendering costs about 1 % of a core all the time a tune plays; playing
// it from the cache costs a copy. Both give the same samples.
// Play, Stop, Over, Rendering and Collect belong to the game's thread; Fill to the audio
// thread; a finished recording is completed and written on a thread of its own.
#pragma once
#include <cstdint>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "platform/media/TuneCache.h"
#include "platform/media/TuneSynth.h"

namespace platform::media {

class TunePlayer {
 public:
  TunePlayer(int rate, float gain, std::string soundFont, TuneCache cache);
  ~TunePlayer();  // waits for an entry being written
  TunePlayer(const TunePlayer&) = delete;
  TunePlayer& operator=(const TunePlayer&) = delete;

  // Starts the tune from its beginning; false (and silence) when it can be neither found in
  // the cache nor rendered. lengthMs is how long the tune plays by its own reading; without
  // it, what is rendered is not kept.
  bool Play(const std::vector<uint8_t>& midi, std::optional<uint32_t> lengthMs);
  void Stop();
  // Nothing more to hear: the samples or the synthesizer's notes have run out.
  bool Over();
  // The play is rendered by the synthesizer (not taken from a recording).
  bool Rendering();
  // Takes care of a recording that has come to its end; the game calls it now and then.
  void Collect();

  // Interleaved stereo frames of the tune, silence when none plays.
  void Fill(int16_t* out, int frames);

  // Waits until the recording handed over last is complete and in the cache.
  void Flush();

 private:
  // Ends the current play and keeps its recording when it is complete, or when it already
  // covers the tune's whole length and only the last notes' release is still to render.
  void EndPlay();
  // The recording is the one to play the tune from; with the synthesizer that made it, the
  // rest is rendered first (meanwhile the part there is serves).
  void Keep(uint64_t key, Samples samples, std::unique_ptr<TuneSynth> rest);
  void Complete(uint64_t key, std::shared_ptr<const Samples> part, std::unique_ptr<TuneSynth> rest);

  const int rate_;
  const float gain_;
  const std::string soundFont_;
  const std::string identity_;
  const TuneCache cache_;

  std::mutex m_;  // guards everything below until the next comment
  std::shared_ptr<const Samples> pcm_;  // the play is a recording...
  size_t pos_ = 0;
  std::unique_ptr<TuneSynth> synth_;    // ...or the synthesizer, recording into rec_
  Samples rec_;
  bool recording_ = false, recComplete_ = false;
  uint64_t key_ = 0;
  size_t lengthSamples_ = 0;
  uint64_t doneKey_ = 0;  // the last recording the writer completed
  std::shared_ptr<const Samples> done_;

  // The game's thread alone.
  uint64_t lastKey_ = 0;
  std::shared_ptr<const Samples> lastPcm_;  // the last tune, for its loop's next round
  std::thread writer_;
};

}  // namespace platform::media
