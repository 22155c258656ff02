// platform/media (internal): tunes the synthesizer has rendered, kept as 16-bit stereo samples in
// the user's cache folder, so that a tune heard once costs next to nothing when it plays
// again, in this run or the next. An entry is named by a key over everything that shapes the
// sound (the MIDI bytes, the synthesizer and soundfont, rate and gain) and names that key
// inside; a damaged entry, or one of another key, is refused and removed, and the tune is
// rendered anew.
#pragma once
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace platform::media {

using Samples = std::vector<int16_t>;  // interleaved stereo

// Longer tunes are rendered as they play rather than kept (ten minutes are 53 MB).
inline constexpr uint32_t kLongestKeptTuneMs = 10 * 60 * 1000;
// The synthesizer is through with a tune when its last notes have died away, which with long
// releases and reverb is up to 10 s after the tune's own length. A tune still sounding 20 s
// after it (a note never let go) is not kept: it is rendered as it plays.
inline constexpr uint32_t kLongestReleaseMs = 20000;

uint64_t TuneKey(const std::vector<uint8_t>& midi, const std::string& synthIdentity, int rate, float gain);

class TuneCache {
 public:
  // An empty folder keeps nothing.
  explicit TuneCache(std::string folder, uint64_t limitBytes = kDefaultLimitBytes);
  std::shared_ptr<const Samples> Load(uint64_t key, int rate) const;
  // An entry of the key is there (its contents are checked when it is loaded).
  bool Has(uint64_t key, int rate) const;
  // Written whole or not at all. Then whatever else is in the folder goes (crash-left
  // temporaries, files not of the cache), and the oldest entries when it has grown past the
  // limit; an entry dated in the future counts as the oldest.
  bool Store(uint64_t key, int rate, const Samples& samples) const;
  const std::string& Folder() const { return folder_; }

  // Every tune of the game rendered once comes to about 45 MB.
  static constexpr uint64_t kDefaultLimitBytes = 96ull << 20;

 private:
  std::string Path(uint64_t key) const;
  // The most frames an entry may hold: the longest tune kept, rung out.
  static uint64_t LongestFrames(int rate);
  void Trim() const;
  std::string folder_;
  uint64_t limitBytes_;
};

// $XDG_CACHE_HOME/bramko2/tunes (else ~/.cache/...), or empty when there is no home folder.
std::string DefaultTuneCacheFolder();

}  // namespace platform::media
