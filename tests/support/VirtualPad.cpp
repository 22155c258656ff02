// Test kit of the pads suite.
#include "support/VirtualPad.h"

#include <cstdlib>
#include <filesystem>

#include "platform/Platform.h"
#include "platform/backends/Start.h"
#include "support/Headless.h"

VirtualPad::VirtualPad(std::string name, bool controller, bool plugged)
    : name_(std::move(name)), controller_(controller) {
  if (plugged) Plug();
}

void VirtualPad::Plug() {
  if (stick_) return;
  SDL_VirtualJoystickDesc d;
  SDL_zero(d);
  d.version = SDL_VIRTUAL_JOYSTICK_DESC_VERSION;
  if (controller_) {
    d.type = SDL_JOYSTICK_TYPE_GAMECONTROLLER;
    d.naxes = SDL_CONTROLLER_AXIS_MAX;
    d.nbuttons = SDL_CONTROLLER_BUTTON_MAX;
    d.button_mask = (1u << SDL_CONTROLLER_BUTTON_MAX) - 1;
    d.axis_mask = (1u << SDL_CONTROLLER_AXIS_MAX) - 1;
  } else {
    d.type = SDL_JOYSTICK_TYPE_UNKNOWN;
    d.naxes = 2;
    d.nbuttons = 4;
    // A USB identity of its own, as a real stick has; SDL's mapping lookup wants one.
    d.vendor_id = 0x1209;
    d.product_id = 0x0B2A;
  }
  d.name = name_.c_str();
  d.userdata = this;
  d.Rumble = [](void* self, Uint16, Uint16) {
    ++static_cast<VirtualPad*>(self)->rumbles;
    return 0;
  };
  const int index = SDL_JoystickAttachVirtualEx(&d);
  if (index < 0) return;
  id_ = SDL_JoystickGetDeviceInstanceID(index);
  stick_ = SDL_JoystickOpen(index);
}

void VirtualPad::Unplug() {
  // After the backend stopped, SDL has already let go of every device.
  if (!stick_ || !SDL_WasInit(SDL_INIT_JOYSTICK)) {
    stick_ = nullptr;
    return;
  }
  SDL_JoystickClose(stick_);
  stick_ = nullptr;
  for (int i = 0; i < SDL_NumJoysticks(); ++i) {
    if (SDL_JoystickGetDeviceInstanceID(i) == id_) {
      SDL_JoystickDetachVirtual(i);
      break;
    }
  }
}

void VirtualPad::Button(int button, bool down) {
  if (stick_) SDL_JoystickSetVirtualButton(stick_, button, down ? 1 : 0);
}

void VirtualPad::Axis(int axis, int value) {
  if (stick_) SDL_JoystickSetVirtualAxis(stick_, axis, static_cast<Sint16>(value));
}

SDL_JoystickGUID VirtualPad::Guid() const { return SDL_JoystickGetGUID(stick_); }

bool StartSdlPlatform(std::string* error) {
  setenv("SDL_VIDEODRIVER", "dummy", 1);
  platform::StartOptions o;
  o.kind = platform::BackendKind::Sdl;
  return platform::Start(o, error);
}

std::string FreshGameDir(const std::string& name) {
  namespace fs = std::filesystem;
  const std::string dir = testing_support::FreshDir(name);
  for (const auto& entry : fs::directory_iterator(BRAMKO_RUNTIME_DIR)) {
    const std::string file = entry.path().filename().string(), ext = entry.path().extension().string();
    if (entry.is_regular_file() && (ext == ".wav" || ext == ".mid" || file.rfind("map", 0) == 0 || ext == ".HLP"))
      fs::create_symlink(entry.path(), fs::path(dir) / entry.path().filename());
  }
  return dir + "/";
}
