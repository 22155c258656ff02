// platform (internal): what each backend (sdl/, headless/) provides behind the public calls.
#pragma once
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "platform/Bitmap.h"
#include "platform/Dialogs.h"
#include "platform/Display.h"
#include "platform/Input.h"
#include "platform/KeyLatch.h"

namespace platform {

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
  // Gives up the processor until a window event or ms pass, then services the window.
  virtual void WaitInput(uint32_t ms) = 0;
  virtual bool ReadKey(int vk) = 0;
  // Forgets every tap nobody has read yet (KeyLatch::DropPending).
  virtual void DropPendingPresses() = 0;
  // True while a menu of the menu bar is open: like a modal window, it has the input.
  virtual bool MenuOpen() { return false; }
  virtual bool Focused() = 0;
  virtual bool JoyCaps(int id, platform::JoyCaps& caps) = 0;
  virtual bool JoyPos(int id, platform::JoyPos& pos) = 0;
  virtual bool EscapeFromPad() = 0;
  virtual std::string JoyName(int id) = 0;
  virtual void JoyRumble(int id, unsigned strength, unsigned ms) = 0;
  virtual void AddPadMappings(const std::string& file) = 0;
  virtual int Message(const std::string& caption, const std::string& text, MsgButtons buttons) = 0;
  // Modal windows run their own loop and return when closed; the scene timer runs under them
  // (RunTimerIfDue) and a key still held when one closes is not for the game (SwallowHeld).
  virtual int Modal(const std::function<int()>& drawFrame) = 0;
  virtual void Help(const std::string& file, const std::string& keyword) = 0;
  // The window's icon, 64 x 64 (no window headless).
  virtual void SetIcon(const Bitmap&) {}
  // The window's display settings (the headless backend just keeps them).
  virtual void ApplyDisplay(const DisplayPrefs& prefs) = 0;
  virtual DisplayPrefs Display() = 0;
};

Backend* CurrentBackend();
// Backends call it after every pump of window events (see SetPumpObserver).
void NotifyPumped();
// The display settings the window opens with.
DisplayPrefs StartDisplayPrefs();
// Backends count each present here.
void CountPresent();
// Makes the backend a run uses (sdl/, headless/); the rooms that hold them are above this one,
// so the maker is handed in by Start (backends/Start.cpp).
struct StartOptions;
using BackendMaker = std::unique_ptr<Backend> (*)(const StartOptions& options, std::string* error);
bool StartBackend(const StartOptions& options, std::string* error, BackendMaker make);

}  // namespace platform
