// online: the confirmed frames' tape.
#include "online/ConfirmedTape.h"

ConfirmedTape::ConfirmedTape(const ReplaySetup& setup, int64_t startedAt) : recorder_(feed_, setup, startedAt) {}

void ConfirmedTape::Frame(const std::vector<BitsRead>& reads) {
  recorder_.BeginFrame();
  for (const BitsRead& r : reads) {
    feed_.bits = r.bits;
    recorder_.FighterBits(r.side, r.source);
  }
}

void ConfirmedTape::Stop(RoundStop why) {
  feed_.stop = why;
  recorder_.CheckStop();
  feed_.stop = RoundStop::None;
}

void ConfirmedTape::Pause() {
  feed_.pause = true;
  recorder_.PauseKey();
  feed_.pause = false;
}

void ConfirmedTape::Checksum(uint32_t value) { recorder_.Checkpoint(value); }

TWaitResult ConfirmedTape::Wait(WaitKind kind, TWaitResult result, uint32_t ms) {
  feed_.result = result;
  feed_.ms = ms;
  return recorder_.Watch(kind, 0, nullptr);
}

void ConfirmedTape::Closing() {
  feed_.closing = true;
  recorder_.Closing();
  feed_.closing = false;
}
