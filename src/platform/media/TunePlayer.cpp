// platform/media: the tune slot (see TunePlayer.h).
#include "platform/media/TunePlayer.h"

#include <algorithm>
#include <cstring>

namespace platform::media {

TunePlayer::TunePlayer(int rate, float gain, std::string soundFont, TuneCache cache, bool idle)
    : rate_(rate),
      gain_(gain),
      soundFont_(std::move(soundFont)),
      identity_(TuneSynth::Identity(soundFont_)),
      cache_(std::move(cache)),
      preparer_(
          rate, gain, soundFont_, cache_,
          [this](uint64_t key, std::shared_ptr<const Samples> whole) { Adopt(key, std::move(whole)); }, idle) {}

bool TunePlayer::Keepable(std::optional<uint32_t> lengthMs) { return lengthMs && *lengthMs <= kLongestKeptTuneMs; }

bool TunePlayer::Play(const std::vector<uint8_t>& midi, std::optional<uint32_t> lengthMs) {
  Stop();
  const uint64_t key = TuneKey(midi, identity_, rate_, gain_);
  if (key != lastKey_) lastPcm_.reset();  // one tune in memory at a time, not two
  std::shared_ptr<const Samples> pcm = lastPcm_ ? lastPcm_ : cache_.Load(key, rate_);
  std::unique_ptr<TuneSynth> synth;
  if (!pcm) {
    synth = TuneSynth::Start(midi, rate_, gain_, soundFont_);
    // Rendered ahead now, before anything else: the play goes over to it in a second or two.
    if (synth && Keepable(lengthMs)) preparer_.Add({key, midi, *lengthMs}, true);
  }
  const bool ok = pcm || synth;
  std::lock_guard lock(m_);
  synth_ = std::move(synth);
  pcm_ = std::move(pcm);
  pos_ = livePos_ = 0;
  key_ = key;
  return ok;
}

void TunePlayer::Stop() {
  std::unique_ptr<TuneSynth> synth;
  std::lock_guard lock(m_);
  synth = std::move(synth_);  // destroyed once the lock is let go
  if (pcm_) {
    // Kept for the next round of the tune's loop.
    lastKey_ = key_;
    lastPcm_ = std::move(pcm_);
  }
}

void TunePlayer::Adopt(uint64_t key, std::shared_ptr<const Samples> whole) {
  std::unique_ptr<TuneSynth> synth;
  std::lock_guard lock(m_);
  // A tune no longer playing is not held in memory: the cache has it.
  if (key_ != key || !synth_ || livePos_ > whole->size()) return;
  synth = std::move(synth_);
  pcm_ = std::move(whole);
  pos_ = livePos_;
}

void TunePlayer::Prepare(const std::vector<uint8_t>& midi, std::optional<uint32_t> lengthMs) {
  if (!Keepable(lengthMs)) return;
  const uint64_t key = TuneKey(midi, identity_, rate_, gain_);
  if (!cache_.Has(key, rate_)) preparer_.Add({key, midi, *lengthMs});
}

bool TunePlayer::Over() {
  std::lock_guard lock(m_);
  if (pcm_) return pos_ >= pcm_->size();
  return !synth_ || synth_->Done();
}

bool TunePlayer::Rendering() {
  std::lock_guard lock(m_);
  return synth_ != nullptr;
}

void TunePlayer::Fill(int16_t* out, int frames) {
  const size_t n = static_cast<size_t>(frames) * 2;
  std::lock_guard lock(m_);
  if (pcm_) {
    const size_t take = std::min(n, pcm_->size() - std::min(pos_, pcm_->size()));
    std::memcpy(out, pcm_->data() + pos_, take * sizeof(int16_t));
    std::memset(out + take, 0, (n - take) * sizeof(int16_t));
    pos_ += take;
  } else if (synth_) {
    synth_->Render(out, frames);
    livePos_ += n;
  } else {
    std::memset(out, 0, n * sizeof(int16_t));
  }
}

}  // namespace platform::media
