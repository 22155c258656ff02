// platform (internal): one play of a MIDI tune through FluidSynth, rendered on demand into
// 16-bit stereo. A fresh synthesizer for every play, as a tune must start from the General
// MIDI state and not from whatever the last one left behind.
#pragma once
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
  // The MIDI player has passed the last event of every track.
  bool Done() const;

  // What tells one synthesizer's output from another's: the library's version and the
  // soundfont (its path, size and time of change).
  static std::string Identity(const std::string& soundFont);

 private:
  TuneSynth() = default;
  struct Parts;
  std::unique_ptr<Parts> parts_;
};

}  // namespace platform::media
