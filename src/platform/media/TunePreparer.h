// platform/media (internal): renders the game's tunes into the cache ahead of their first play, on
// a thread of the lowest priority (it only takes processor time nothing else wants). Every
// tune of the game takes a few seconds of one core once; from then on playing any of them
// costs a copy instead of the synthesizer's 1 % of a core.
#pragma once
#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include "platform/media/TuneCache.h"

namespace platform::media {

class TunePreparer {
 public:
  struct Job {
    uint64_t key;
    std::vector<uint8_t> midi;
    uint32_t lengthMs;
  };
  // ready hears of every tune rendered, from the preparer's thread.
  using Ready = std::function<void(uint64_t key, std::shared_ptr<const Samples>)>;
  // idle: on the lowest priority (tests that wait for the result turn it off).
  TunePreparer(int rate, float gain, std::string soundFont, TuneCache cache, Ready ready, bool idle = true);
  ~TunePreparer();  // stops between two blocks of rendering
  TunePreparer(const TunePreparer&) = delete;
  TunePreparer& operator=(const TunePreparer&) = delete;

  // Queues a tune that is not in the cache yet; first puts it ahead of the others.
  void Add(Job job, bool first = false);
  // Something is queued or being rendered.
  bool Busy();

 private:
  void Run();
  const int rate_;
  const float gain_;
  const std::string soundFont_;
  const TuneCache cache_;
  const Ready ready_;
  const bool idle_;
  std::mutex m_;
  std::condition_variable wake_;
  std::deque<Job> jobs_;
  std::set<uint64_t> failed_;
  bool working_ = false;
  std::atomic<bool> stop_{false};
  std::thread thread_;
};

}  // namespace platform::media
