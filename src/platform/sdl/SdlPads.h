// platform/sdl: the devices behind joystick 0 and 1. Every pad SDL has a mapping for is
// read through its game-controller layer (D-pad, left stick, south and east buttons, Start);
// any other joystick through its first two axes and buttons. Devices come and go while the
// game runs; each keeps the joystick number it had when it is plugged in again.
#pragma once
#include <SDL.h>

#include <cstdint>
#include <string>
#include <vector>

#include "platform/Input.h"

namespace platform {

// A pad's Start button going down or up: it stands for the Escape key. source tells the
// pads apart (it is never a scancode: always negative).
struct PadKeyEvent {
  bool down = false;
  int source = 0;
};

class SdlPads {
 public:
  // Opens what is plugged in already.
  SdlPads();
  ~SdlPads();
  SdlPads(const SdlPads&) = delete;
  SdlPads& operator=(const SdlPads&) = delete;

  // Device arrivals and removals, and the Start button; true when *key was filled.
  bool Handle(const SDL_Event& e, PadKeyEvent* key);

  bool Caps(int slot, JoyCaps& caps);
  bool Pos(int slot, JoyPos& pos);
  std::string Name(int slot);
  void Rumble(int slot, uint16_t strength, uint32_t ms);
  void AddMappings(const std::string& file);
  // A pad or joystick is open (SDL's event wait then turns into a poll: see SdlClock).
  bool AnyOpen() const { return !devices_.empty(); }

 private:
  struct Device {
    SDL_JoystickID id = -1;
    SDL_GameController* pad = nullptr;  // null: a joystick SDL has no mapping for
    SDL_Joystick* stick = nullptr;      // the pad's own joystick, or the raw one
    std::string identity;               // model and serial number: the same after a replug
  };

  void Open(int deviceIndex);
  void UpgradeToPad(int deviceIndex);
  void Close(SDL_JoystickID id);
  int ChooseSlot(const std::string& identity) const;
  Device* Find(SDL_JoystickID id);
  // The device serving a slot, still attached, with its state at most a tick old.
  Device* Serving(int slot);

  std::vector<Device> devices_;
  SDL_JoystickID holder_[2] = {-1, -1};  // device in each slot, -1 when vacant
  std::string remembered_[2];            // identity of the slot's last device ("" never used)
  uint32_t lastUpdate_ = 0;
  bool updated_ = false;
};

}  // namespace platform
