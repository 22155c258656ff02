// platform: the tune slot (see TunePlayer.h).
#include "platform/media/TunePlayer.h"

#include <algorithm>
#include <cstring>

namespace platform::media {

namespace {

// A recording reserves its tune's length and this much more up front (the audio thread never
// allocates): the synthesizer is through with a tune when its last notes have died away,
// seconds after the last event. A tune that renders longer than that is not kept.
constexpr uint32_t kRecordSlackMs = 8000;
// Longer tunes are rendered every time rather than kept (ten minutes are 53 MB).
constexpr uint32_t kLongestKeptMs = 10 * 60 * 1000;
// The audio thread's block: the rest of a cut recording is rendered in the same steps, so its
// end falls where a whole play would have put it.
constexpr int kBlock = 1024;

}  // namespace

TunePlayer::TunePlayer(int rate, float gain, std::string soundFont, TuneCache cache)
    : rate_(rate),
      gain_(gain),
      soundFont_(std::move(soundFont)),
      identity_(TuneSynth::Identity(soundFont_)),
      cache_(std::move(cache)) {}

TunePlayer::~TunePlayer() { Flush(); }

bool TunePlayer::Play(const std::vector<uint8_t>& midi, std::optional<uint32_t> lengthMs) {
  EndPlay();
  Collect();
  const uint64_t key = TuneKey(midi, identity_, rate_, gain_);
  std::shared_ptr<const Samples> pcm = key == lastKey_ ? lastPcm_ : cache_.Load(key, rate_);
  std::unique_ptr<TuneSynth> synth;
  if (!pcm) synth = TuneSynth::Start(midi, rate_, gain_, soundFont_);
  const bool record = synth && lengthMs && *lengthMs <= kLongestKeptMs;
  Samples rec;
  if (record) rec.reserve(static_cast<size_t>(*lengthMs + kRecordSlackMs) * rate_ / 1000 * 2);
  const bool ok = pcm || synth;
  {
    std::lock_guard lock(m_);
    synth_ = std::move(synth);
    pcm_ = pcm;
    pos_ = 0;
    rec_.swap(rec);
    recording_ = record;
    recComplete_ = false;
    key_ = key;
    lengthSamples_ = lengthMs ? static_cast<size_t>(*lengthMs) * rate_ / 1000 * 2 : 0;
  }
  if (pcm) {
    lastKey_ = key;
    lastPcm_ = pcm;
  }
  return ok;
}

void TunePlayer::Stop() { EndPlay(); }

void TunePlayer::EndPlay() {
  std::unique_ptr<TuneSynth> synth;
  Samples samples;
  uint64_t key;
  bool complete, covered;
  {
    std::lock_guard lock(m_);
    synth = std::move(synth_);
    pcm_.reset();
    key = key_;
    samples.swap(rec_);
    complete = recComplete_;
    // The game starts a tune again when its length has passed, before its last notes died.
    covered = recording_ && lengthSamples_ && samples.size() >= lengthSamples_;
    recording_ = recComplete_ = false;
  }
  if (complete)
    Keep(key, std::move(samples), nullptr);
  else if (covered && synth)
    Keep(key, std::move(samples), std::move(synth));
}

void TunePlayer::Keep(uint64_t key, Samples samples, std::unique_ptr<TuneSynth> rest) {
  auto part = std::make_shared<const Samples>(std::move(samples));
  lastKey_ = key;
  lastPcm_ = part;
  // A tune is megabytes, flushed to the disk: never on the game's thread.
  Flush();
  writer_ = std::thread([this, key, part, synth = std::move(rest)]() mutable { Complete(key, part, std::move(synth)); });
}

void TunePlayer::Complete(uint64_t key, std::shared_ptr<const Samples> part, std::unique_ptr<TuneSynth> rest) {
  std::shared_ptr<const Samples> whole = part;
  if (rest) {
    Samples all;
    all.reserve(part->size() + static_cast<size_t>(kRecordSlackMs) * rate_ / 1000 * 2);
    all = *part;
    int16_t block[kBlock * 2];
    while (!rest->Done()) {
      if (all.size() + kBlock * 2 > all.capacity()) return;  // longer than any release: not kept
      rest->Render(block, kBlock);
      all.insert(all.end(), block, block + kBlock * 2);
    }
    whole = std::make_shared<const Samples>(std::move(all));
  }
  cache_.Store(key, rate_, *whole);
  std::lock_guard lock(m_);
  doneKey_ = key;
  done_ = whole;
  // The part is the start of the whole: a play from it goes on in the whole where it stands.
  if (pcm_ == part) pcm_ = whole;
}

void TunePlayer::Collect() {
  std::shared_ptr<const Samples> done;
  uint64_t doneKey = 0;
  Samples samples;
  uint64_t key = 0;
  bool complete = false;
  {
    std::lock_guard lock(m_);
    done.swap(done_);
    doneKey = doneKey_;
    if (recComplete_) {
      complete = true;
      key = key_;
      samples.swap(rec_);
      recording_ = recComplete_ = false;
    }
  }
  if (done && doneKey == lastKey_) lastPcm_ = done;
  if (complete) Keep(key, std::move(samples), nullptr);
}

void TunePlayer::Flush() {
  if (writer_.joinable()) writer_.join();
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
    return;
  }
  if (!synth_) {
    std::memset(out, 0, n * sizeof(int16_t));
    return;
  }
  const bool wasDone = synth_->Done();
  synth_->Render(out, frames);
  if (!recording_ || wasDone) return;
  if (rec_.size() + n <= rec_.capacity())
    rec_.insert(rec_.end(), out, out + n);
  else
    recording_ = false;  // longer than its own length promised: not kept
  if (recording_ && synth_->Done()) recComplete_ = true;
}

}  // namespace platform::media
