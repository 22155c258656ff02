// platform/media (internal): one play of a MIDI tune through FluidSynth, rendered on demand into
// 16-bit stereo. A fresh synthesizer for every play, as a tune must start from the General
// MIDI state and not from whatever the last one left behind.
#pragma once
#include <atomic>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace platform::media {

class TuneSynth {
 public:
  // Nothing when the soundfont cannot be loaded or FluidSynth refuses the file.
  static std::unique_ptr<TuneSynth> Start(const std::vector<uint8_t>& midi, int rate, float gain,
                                          const std::string& soundFont);
  // The bytes are a MIDI file as far as FluidSynth can tell without playing it.
  static bool Understands(const std::vector<uint8_t>& midi);
  ~TuneSynth();
  TuneSynth(const TuneSynth&) = delete;
  TuneSynth& operator=(const TuneSynth&) = delete;

  // Interleaved stereo frames; silence once the tune is over.
  void Render(int16_t* out, int frames);
  // The MIDI player has passed the last event of every track and the last notes died away.
  bool Done() const;
  // Renders in the audio thread's steps (kBlock frames) until Done, appending to out; false
  // when out would grow past limitSamples or stop was set first.
  bool RenderToEnd(std::vector<int16_t>& out, size_t limitSamples, const std::atomic<bool>* stop = nullptr);
  static constexpr int kBlock = 1024;

  // What tells one synthesizer's output from another's: the library's version and the
  // soundfont (its path, size and time of change).
  static std::string Identity(const std::string& soundFont);

 private:
  TuneSynth() = default;
  struct Parts;
  std::unique_ptr<Parts> parts_;
};

}  // namespace platform::media
