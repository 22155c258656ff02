// Test kit of the pads suite: SDL's own virtual joysticks on the real SDL backend, started
// with SDL's dummy video driver, and a fresh game folder with the built runtime files.
#pragma once
#include <SDL.h>

#include <string>

// A device SDL sees as plugged in. As a game controller it has every button and axis of
// SDL's controller model, so SDL maps it from its description alone (button i is
// SDL_CONTROLLER_BUTTON i, axis i is SDL_CONTROLLER_AXIS i). Otherwise it is a plain
// joystick with two axes and four buttons, which SDL has no mapping for.
class VirtualPad {
 public:
  // Plugged in at once, or later by Plug() (before the backend has started).
  explicit VirtualPad(std::string name, bool controller = true, bool plugged = true);
  ~VirtualPad() { Unplug(); }
  VirtualPad(const VirtualPad&) = delete;
  VirtualPad& operator=(const VirtualPad&) = delete;

  void Plug();
  void Unplug();
  void Button(int button, bool down);
  void Axis(int axis, int value);
  SDL_JoystickGUID Guid() const;
  const std::string& Name() const { return name_; }

  int rumbles = 0;  // rumbles asked of the device

 private:
  std::string name_;
  bool controller_;
  SDL_JoystickID id_ = -1;
  SDL_Joystick* stick_ = nullptr;  // our own handle for setting its state
};

// Starts the real SDL backend on the dummy video driver (no game).
bool StartSdlPlatform(std::string* error);
// A fresh folder holding links to the built media, arena and help files, so that the game
// runs there with no settings file of its own.
std::string FreshGameDir(const std::string& name);
