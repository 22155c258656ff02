// platform (internal): what each backend (sdl/, headless/) provides behind the public calls.
#pragma once
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <unordered_map>

#include "platform/Dialogs.h"
#include "platform/Display.h"
#include "platform/Input.h"

namespace platform {

// Key-down state by virtual-key code. A press that was already released when the key is
// next read still reads as down: for every read within the millisecond of its first read,
// so one check that looks at the same key twice sees the tap both times.
class KeyLatch {
 public:
  void Down(int vk) {
    down_[vk] = true;
    latched_[vk] = Latch{true, false, 0};
  }
  void Up(int vk) { down_[vk] = false; }
  void ReleaseAll() {
    down_.clear();
    latched_.clear();
  }
  bool Read(int vk, uint32_t now) {
    auto it = latched_.find(vk);
    if (it == latched_.end() || !it->second.pending) return IsHeld(vk);
    Latch& l = it->second;
    if (IsHeld(vk)) {
      // Seen while held: the press has been read, the key's own state counts from now on.
      l.pending = false;
      return true;
    }
    if (!l.read) {
      l.read = true;
      l.firstRead = now;
      return true;
    }
    if (l.firstRead == now) return true;
    l.pending = false;
    return false;
  }
  bool IsHeld(int vk) const {
    auto it = down_.find(vk);
    return it != down_.end() && it->second;
  }

 private:
  struct Latch {
    bool pending = false;  // went down since it was last seen
    bool read = false;
    uint32_t firstRead = 0;
  };
  std::unordered_map<int, bool> down_;
  std::unordered_map<int, Latch> latched_;
};

class Backend {
 public:
  virtual ~Backend() = default;
  virtual uint32_t Ticks() = 0;
  virtual void Sleep(uint32_t ms) = 0;
  // One turn of a wait that ends remainingMs ticks from now (or one tick later): may give up
  // the processor until then, but never past the start of tick now + max(remainingMs, 1),
  // and comes back early for a window event.
  virtual void Spin(uint32_t remainingMs) = 0;
  // Pumps window events and presents what was drawn, at most once per display refresh.
  virtual void Service() = 0;
  // Pumps window events only (key reads: a present there would land inside a battle frame).
  virtual void PumpEvents() = 0;
  // A battle frame is complete: shows it now.
  virtual void PresentFrame() = 0;
  // Idle in the message loop until the tick deadline (or an event) when hasDeadline,
  // else until any event.
  virtual void WaitIdle(bool hasDeadline, uint32_t deadline) = 0;
  virtual bool ReadKey(int vk) = 0;
  virtual bool Focused() = 0;
  virtual bool JoyCaps(int id, platform::JoyCaps& caps) = 0;
  virtual bool JoyPos(int id, platform::JoyPos& pos) = 0;
  virtual int Message(const std::string& caption, const std::string& text, MsgButtons buttons) = 0;
  virtual int Modal(const std::function<int()>& drawFrame) = 0;
  virtual void Help(const std::string& file, const std::string& keyword) = 0;
  // The window's display settings (the headless backend just keeps them).
  virtual void ApplyDisplay(const DisplayPrefs& prefs) = 0;
  virtual DisplayPrefs Display() = 0;
};

Backend* CurrentBackend();
// The display settings the window opens with.
DisplayPrefs StartDisplayPrefs();
// Backends count each present here.
void CountPresent();
std::unique_ptr<Backend> MakeSdlBackend(std::string* error);
struct StartOptions;
std::unique_ptr<Backend> MakeHeadlessBackend(const StartOptions& options, std::string* error);

}  // namespace platform
