// platform/media: the tune preparer (see TunePreparer.h).
#include "platform/media/TunePreparer.h"

#include <pthread.h>
#include <sched.h>

#include <algorithm>

#include "platform/media/TuneSynth.h"

namespace platform::media {

TunePreparer::TunePreparer(int rate, float gain, std::string soundFont, TuneCache cache, Ready ready, bool idle)
    : rate_(rate),
      gain_(gain),
      soundFont_(std::move(soundFont)),
      cache_(std::move(cache)),
      ready_(std::move(ready)),
      idle_(idle) {}

TunePreparer::~TunePreparer() {
  {
    std::lock_guard lock(m_);
    stop_ = true;
  }
  wake_.notify_all();
  if (!thread_.joinable()) return;
  // On a busy machine a thread of the lowest priority may wait long for its next turn; the
  // game must not, when it closes.
  sched_param normal{};
  pthread_setschedparam(thread_.native_handle(), SCHED_OTHER, &normal);
  thread_.join();
}

void TunePreparer::Add(Job job, bool first) {
  if (cache_.Folder().empty()) return;  // nowhere to keep it
  {
    std::lock_guard lock(m_);
    if (failed_.count(job.key)) return;
    auto same = std::find_if(jobs_.begin(), jobs_.end(), [&](const Job& j) { return j.key == job.key; });
    if (same != jobs_.end()) {
      if (!first) return;
      jobs_.erase(same);
    }
    if (first)
      jobs_.push_front(std::move(job));
    else
      jobs_.push_back(std::move(job));
    if (!thread_.joinable()) thread_ = std::thread([this] { Run(); });
  }
  wake_.notify_one();
}

bool TunePreparer::Busy() {
  std::lock_guard lock(m_);
  return working_ || !jobs_.empty();
}

void TunePreparer::Run() {
  // The lowest class there is: the game, the window system and the audio thread always go first.
  sched_param none{};
  if (idle_) pthread_setschedparam(pthread_self(), SCHED_IDLE, &none);
  for (;;) {
    Job job;
    {
      std::unique_lock lock(m_);
      working_ = false;
      wake_.wait(lock, [this] { return stop_ || !jobs_.empty(); });
      if (stop_) return;
      job = std::move(jobs_.front());
      jobs_.pop_front();
      working_ = true;
    }
    if (cache_.Has(job.key, rate_)) continue;
    auto samples = std::make_shared<Samples>();
    const size_t limit = static_cast<size_t>(job.lengthMs + kLongestReleaseMs) * rate_ / 1000 * 2;
    auto synth = TuneSynth::Start(job.midi, rate_, gain_, soundFont_);
    if (synth) samples->reserve(limit);
    if (!synth || !synth->RenderToEnd(*samples, limit, &stop_)) {
      std::lock_guard lock(m_);
      failed_.insert(job.key);  // not tried again in this run
      continue;
    }
    if (!cache_.Store(job.key, rate_, *samples)) {
      // A cache that cannot be written (full, read-only): the tune plays on from these samples
      // now and is rendered as it plays next time, rather than rendered ahead again and again.
      std::lock_guard lock(m_);
      failed_.insert(job.key);
    }
    ready_(job.key, samples);
  }
}

}  // namespace platform::media
