// platform (internal): what each backend (sdl/, headless/) provides behind the public calls.
#pragma once
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <unordered_map>

#include "platform/Dialogs.h"
#include "platform/Input.h"

namespace platform {

// Key-down state by virtual-key code. A press that was already released when the key is
// next read still reads as down once.
class KeyLatch {
 public:
  void Down(int vk) { down_[vk] = true; latched_[vk] = true; }
  void Up(int vk) { down_[vk] = false; }
  void ReleaseAll() { down_.clear(); latched_.clear(); }
  bool Read(int vk) {
    bool d = down_[vk] || latched_[vk];
    latched_[vk] = false;
    return d;
  }
  bool IsHeld(int vk) const {
    auto it = down_.find(vk);
    return it != down_.end() && it->second;
  }

 private:
  std::unordered_map<int, bool> down_, latched_;
};

class Backend {
 public:
  virtual ~Backend() = default;
  virtual uint32_t Ticks() = 0;
  virtual void Sleep(uint32_t ms) = 0;
  virtual void Spin(uint32_t remainingMs) = 0;
  virtual void Service() = 0;
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
};

Backend* CurrentBackend();
std::unique_ptr<Backend> MakeSdlBackend(std::string* error);
struct StartOptions;
std::unique_ptr<Backend> MakeHeadlessBackend(const StartOptions& options, std::string* error);

}  // namespace platform
