// platform/sdl: game controllers and raw joysticks behind the two joystick numbers.
#include "platform/sdl/SdlPads.h"

#include <algorithm>

#include "platform/files/InputFile.h"

namespace platform {

namespace {

constexpr int kAxisOffset = 32768;  // SDL's axes run -32768..32767, ours 0..65535
constexpr unsigned kAxisMax = 65535;
// The community's whole database is a few hundred KB.
constexpr size_t kMaxMappingBytes = 4 << 20;

std::string IdentityOf(SDL_Joystick* stick) {
  char guid[33] = {};
  SDL_JoystickGetGUIDString(SDL_JoystickGetGUID(stick), guid, sizeof guid);
  const char* serial = SDL_JoystickGetSerial(stick);
  return std::string(guid) + "/" + (serial ? serial : "");
}

}  // namespace

SdlPads::SdlPads() {
  for (int i = 0; i < SDL_NumJoysticks(); ++i) Open(i);
}

SdlPads::~SdlPads() {
  while (!devices_.empty()) Close(devices_.back().id);
}

SdlPads::Device* SdlPads::Find(SDL_JoystickID id) {
  for (Device& d : devices_)
    if (d.id == id) return &d;
  return nullptr;
}

// A device plugged in again takes the number it had; a new one the first number never used,
// else any free one. A third device waits unused until it is plugged in again.
int SdlPads::ChooseSlot(const std::string& identity) const {
  for (int s = 0; s < 2; ++s)
    if (holder_[s] < 0 && remembered_[s] == identity) return s;
  for (int s = 0; s < 2; ++s)
    if (holder_[s] < 0 && remembered_[s].empty()) return s;
  for (int s = 0; s < 2; ++s)
    if (holder_[s] < 0) return s;
  return -1;
}

void SdlPads::Open(int deviceIndex) {
  const SDL_JoystickID id = SDL_JoystickGetDeviceInstanceID(deviceIndex);
  if (id < 0) return;
  if (Device* known = Find(id)) {
    // A mapping that arrived later (or SDL's own late detection) makes a raw joystick a pad.
    if (known->pad || !SDL_IsGameController(deviceIndex)) return;
    if (SDL_GameController* pad = SDL_GameControllerOpen(deviceIndex)) {
      SDL_JoystickClose(known->stick);
      known->pad = pad;
      known->stick = SDL_GameControllerGetJoystick(pad);
    }
    return;
  }
  Device d;
  d.id = id;
  if (SDL_IsGameController(deviceIndex)) {
    d.pad = SDL_GameControllerOpen(deviceIndex);
    if (d.pad) d.stick = SDL_GameControllerGetJoystick(d.pad);
  }
  if (!d.stick) d.stick = SDL_JoystickOpen(deviceIndex);  // no mapping, or it did not open
  if (!d.stick) return;
  d.identity = IdentityOf(d.stick);
  const int slot = ChooseSlot(d.identity);
  if (slot >= 0) {
    holder_[slot] = id;
    remembered_[slot] = d.identity;
  }
  devices_.push_back(d);
}

void SdlPads::Close(SDL_JoystickID id) {
  auto it = std::find_if(devices_.begin(), devices_.end(), [id](const Device& d) { return d.id == id; });
  if (it == devices_.end()) return;
  if (it->pad)
    SDL_GameControllerClose(it->pad);
  else
    SDL_JoystickClose(it->stick);
  for (SDL_JoystickID& h : holder_)
    if (h == id) h = -1;  // the slot remembers the device for its return
  devices_.erase(it);
}

bool SdlPads::Handle(const SDL_Event& e, PadKeyEvent* key) {
  switch (e.type) {
    case SDL_JOYDEVICEADDED:
    case SDL_CONTROLLERDEVICEADDED:
      // Device indexes in queued events may be stale by now: look at every device instead.
      for (int i = 0; i < SDL_NumJoysticks(); ++i) Open(i);
      return false;
    case SDL_JOYDEVICEREMOVED:
    case SDL_CONTROLLERDEVICEREMOVED: {
      const SDL_JoystickID id = e.type == SDL_JOYDEVICEREMOVED ? e.jdevice.which : e.cdevice.which;
      if (!Find(id)) return false;
      Close(id);
      // A Start held while the pad was pulled out is let go with it.
      *key = PadKeyEvent{false, -1 - id};
      return true;
    }
    case SDL_CONTROLLERBUTTONDOWN:
    case SDL_CONTROLLERBUTTONUP:
      if (e.cbutton.button != SDL_CONTROLLER_BUTTON_START || !Find(e.cbutton.which)) return false;
      *key = PadKeyEvent{e.type == SDL_CONTROLLERBUTTONDOWN, -1 - e.cbutton.which};
      return true;
    default: return false;
  }
}

SdlPads::Device* SdlPads::Serving(int slot) {
  if (slot < 0 || slot > 1 || holder_[slot] < 0) return nullptr;
  // One fresh read per tick: a poll asks for the same device several times.
  const uint32_t now = SDL_GetTicks();
  if (!updated_ || now != lastUpdate_) {
    SDL_JoystickUpdate();
    updated_ = true;
    lastUpdate_ = now;
  }
  Device* d = Find(holder_[slot]);
  // Pulled out, with the removal not yet handled: it is absent already.
  if (!d || !SDL_JoystickGetAttached(d->stick)) return nullptr;
  return d;
}

bool SdlPads::Caps(int slot, JoyCaps& caps) {
  Device* d = Serving(slot);
  if (!d) return false;
  caps = JoyCaps{};
  caps.buttons = d->pad ? 2u : static_cast<unsigned>(std::max(0, SDL_JoystickNumButtons(d->stick)));
  return true;
}

bool SdlPads::Pos(int slot, JoyPos& pos) {
  Device* d = Serving(slot);
  if (!d) return false;
  pos.buttons = 0;
  if (d->pad) {
    auto held = [d](SDL_GameControllerButton b) { return SDL_GameControllerGetButton(d->pad, b) != 0; };
    auto axis = [d](SDL_GameControllerAxis a) {
      return static_cast<unsigned>(SDL_GameControllerGetAxis(d->pad, a) + kAxisOffset);
    };
    // The left stick counts past a third of its travel, the dead zone every joystick has
    // here; the D-pad overrides it with a full deflection.
    pos.x = axis(SDL_CONTROLLER_AXIS_LEFTX);
    pos.y = axis(SDL_CONTROLLER_AXIS_LEFTY);
    const bool left = held(SDL_CONTROLLER_BUTTON_DPAD_LEFT), right = held(SDL_CONTROLLER_BUTTON_DPAD_RIGHT);
    const bool up = held(SDL_CONTROLLER_BUTTON_DPAD_UP), down = held(SDL_CONTROLLER_BUTTON_DPAD_DOWN);
    if (left != right) pos.x = left ? 0 : kAxisMax;
    if (up != down) pos.y = up ? 0 : kAxisMax;
    if (held(SDL_CONTROLLER_BUTTON_A)) pos.buttons |= 1u;  // south
    if (held(SDL_CONTROLLER_BUTTON_B)) pos.buttons |= 2u;  // east
    return true;
  }
  SDL_Joystick* j = d->stick;
  auto axis = [j](int a) { return static_cast<unsigned>(SDL_JoystickGetAxis(j, a) + kAxisOffset); };
  pos.x = SDL_JoystickNumAxes(j) > 0 ? axis(0) : kAxisMax / 2;
  pos.y = SDL_JoystickNumAxes(j) > 1 ? axis(1) : kAxisMax / 2;
  for (int b = 0; b < 2 && b < SDL_JoystickNumButtons(j); ++b)
    if (SDL_JoystickGetButton(j, b)) pos.buttons |= 1u << b;
  return true;
}

std::string SdlPads::Name(int slot) {
  Device* d = Serving(slot);
  if (!d) return "";
  const char* name = d->pad ? SDL_GameControllerName(d->pad) : SDL_JoystickName(d->stick);
  return name ? name : "";
}

void SdlPads::Rumble(int slot, uint16_t strength, uint32_t ms) {
  Device* d = Serving(slot);
  if (!d) return;
  // A device without a motor says so and nothing happens.
  if (d->pad)
    SDL_GameControllerRumble(d->pad, strength, strength, ms);
  else
    SDL_JoystickRumble(d->stick, strength, strength, ms);
}

void SdlPads::AddMappings(const std::string& file) {
  std::string text;
  if (ReadFile(file, kMaxMappingBytes, text) != FileRead::Whole) return;  // the player put none there
  SDL_GameControllerAddMappingsFromRW(SDL_RWFromConstMem(text.data(), static_cast<int>(text.size())), 1);
  for (int i = 0; i < SDL_NumJoysticks(); ++i) Open(i);
}

}  // namespace platform
