// input: the game input component, its sticks and the joystick pollers.
#include "input/Ginput.h"

#include "platform/Input.h"

TGameInput* JoystickInput = nullptr;
TInputBits JoystickLastDirections[2] = {0, 0};
bool JoystickSwapButtons = false;

// --- joystick ---

void TJoyStick::SetIDDevice(uint32_t id) {
  IDDevice = id;
  Init();
}

void TJoyStick::Init() {
  platform::JoyCaps caps;
  if (!platform::JoyGetDevCaps(static_cast<int>(IDDevice), caps)) {
    Initialized = false;
    return;
  }
  uint32_t spanX = (caps.xMax - caps.xMin) / 3, spanY = (caps.yMax - caps.yMin) / 3;
  LeftThreshold = static_cast<int32_t>(caps.xMin + spanX);
  RightThreshold = static_cast<int32_t>(caps.xMax - spanX);
  UpThreshold = static_cast<int32_t>(caps.yMin + spanY);
  DownThreshold = static_cast<int32_t>(caps.yMax - spanY);
  Initialized = true;
}

bool TJoyStick::Update() {
  if (!Initialized) Init();
  platform::JoyPos pos;
  // A stick whose ranges cannot be read is not there: its position is not asked for.
  if (!Initialized || !platform::JoyGetPos(static_cast<int>(IDDevice), pos)) {
    // A stick that cannot be read (unplugged in the middle of a fight) rests in its dead
    // zone with no button down, so nothing stays held.
    X = LeftThreshold + (RightThreshold - LeftThreshold) / 2;
    Y = UpThreshold + (DownThreshold - UpThreshold) / 2;
    Buttons = 0;
    return false;
  }
  X = static_cast<int32_t>(pos.x);
  Y = static_cast<int32_t>(pos.y);
  Buttons = pos.buttons;
  return true;
}

bool TJoyStick::GetState(TKeyID id) {
  if (AutoUpdate) Update();
  switch (id) {
    case kidLeft: return X < LeftThreshold;
    case kidUp: return Y < UpThreshold;
    case kidRight: return X > RightThreshold;
    case kidDown: return Y > DownThreshold;
    case kidButton1: return (Buttons & 1u) != 0;
    case kidButton2: return (Buttons & 2u) != 0;
    default: return false;
  }
}

// --- keyboard stick ---

void TKeyStick::AssignKey(TKeyID id, std::initializer_list<uint16_t> codes) {
  if (id < 0 || id >= static_cast<int>(KeyList.size())) return;
  auto& slot = KeyList[static_cast<size_t>(id)];
  auto it = codes.begin();
  for (int i = 0; i < 3; ++i) slot.Keys[i] = it != codes.end() ? *it++ : 0;
}

void TKeyStick::SetKey(uint16_t k0, uint16_t k1, uint16_t k2, uint16_t k3, uint16_t k4, uint16_t k5) {
  AssignKey(0, {k0});
  AssignKey(1, {k1});
  AssignKey(2, {k2});
  AssignKey(3, {k3});
  AssignKey(4, {k4});
  AssignKey(5, {k5});
}

bool TKeyStick::UpdateKeyState(TKeyID id) {
  if (id < 0 || id >= static_cast<int>(KeyList.size())) return false;
  auto& slot = KeyList[static_cast<size_t>(id)];
  slot.State = false;
  for (uint16_t code : slot.Keys) {
    if (platform::KeyDown(code)) {  // code 0 never reads as down
      slot.State = true;
      break;
    }
  }
  return slot.State;
}

bool TKeyStick::Update() {
  if (!AutoUpdate)
    for (TKeyID id = 0; id < 6; ++id) UpdateKeyState(id);
  return true;
}

bool TKeyStick::GetState(TKeyID id) {
  if (id < 0 || id >= static_cast<int>(KeyList.size())) return false;
  if (AutoUpdate) UpdateKeyState(id);
  return KeyList[static_cast<size_t>(id)].State;
}

// --- the component ---

TGameInput::TGameInput() {
  SetInputMode(imKeyBoard);
  SetAutoUpdate(true);
}

TGameInput::~TGameInput() = default;

void TGameInput::SetInputMode(TInputMode mode) {
  if (stick_ && mode == mode_) return;
  bool autoUpdate = stick_ ? stick_->AutoUpdate : false;
  const auto joystick = [](TInputMode m) { return m == imJoyStick1 || m == imJoyStick2; };
  if (stick_ && joystick(mode_) && joystick(mode)) {
    // The joystick pollers turn one component from one joystick to the other on every poll:
    // the stick is made afresh in place, without an allocation each time.
    auto& stick = static_cast<TJoyStick&>(*stick_);
    stick = TJoyStick(mode == imJoyStick1 ? 0 : 1);
    stick.AutoUpdate = autoUpdate;
    mode_ = mode;
    return;
  }
  stick_.reset();
  switch (mode) {
    case imJoyStick1: stick_ = std::make_unique<TJoyStick>(0); break;
    case imJoyStick2: stick_ = std::make_unique<TJoyStick>(1); break;
    default: {
      auto keys = std::make_unique<TKeyStick>();
      if (mode == imKeyLeft) {
        keys->AssignKey(kidLeft, {83});  // S E F C, Z X
        keys->AssignKey(kidUp, {69});
        keys->AssignKey(kidRight, {70});
        keys->AssignKey(kidDown, {67});
        keys->AssignKey(kidButton1, {90});
        keys->AssignKey(kidButton2, {88});
      } else {
        // Arrows and the keypad; buttons Z / Space and X / Enter, or keypad 0 / 1 instead of Z / X.
        bool right = mode == imKeyRight;
        keys->AssignKey(kidLeft, {37, 100});
        keys->AssignKey(kidUp, {38, 104});
        keys->AssignKey(kidRight, {39, 102});
        keys->AssignKey(kidDown, {40, 98});
        keys->AssignKey(kidButton1, {static_cast<uint16_t>(right ? 96 : 90), 32});
        keys->AssignKey(kidButton2, {static_cast<uint16_t>(right ? 97 : 88), 13});
      }
      stick_ = std::move(keys);
      break;
    }
  }
  mode_ = mode;
  stick_->AutoUpdate = autoUpdate;
}

bool TGameInput::GetAutoUpdate() const { return stick_ && stick_->AutoUpdate; }

void TGameInput::SetAutoUpdate(bool value) {
  if (stick_) stick_->AutoUpdate = value;
}

bool TGameInput::GetIsXX(TKeyID id) { return stick_ && stick_->GetState(id); }

int TGameInput::GetLeftRight() {
  int v = 0;
  if (GetIsXX(kidRight)) ++v;
  if (GetIsXX(kidLeft)) --v;
  return v;
}

int TGameInput::GetUpDown() {
  int v = 0;
  if (GetIsXX(kidUp)) --v;
  if (GetIsXX(kidDown)) ++v;
  return v;
}

TPoint TGameInput::GetDirection() {
  TPoint p;
  p.x = GetLeftRight();
  p.y = GetUpDown();
  return p;
}

bool TGameInput::Update() { return stick_ && stick_->Update(); }

TKeyStick* TGameInput::GetKeyStick() { return dynamic_cast<TKeyStick*>(stick_.get()); }

// --- joystick pollers ---

namespace {

TInputBits PollJoystick(TInputMode mode, TInputBits& last) {
  TGameInput* input = JoystickInput;
  if (!input) return 0;
  input->SetInputMode(mode);
  TInputBits dirs = 0;
  int count = 0;
  const struct {
    TKeyID id;
    TInputBits bit;
  } order[] = {{kidDown, ibDown}, {kidLeft, ibLeft}, {kidUp, ibUp}, {kidRight, ibRight}};
  for (const auto& o : order) {
    if (input->GetIsXX(o.id)) {
      dirs |= o.bit;
      ++count;
    }
  }
  // A direction that joins a held one wins over it instead of making a diagonal.
  TInputBits bits;
  if (count <= 1) {
    last = dirs;
    bits = dirs;
  } else {
    bits = dirs & ~last;
  }
  const TInputBits first = JoystickSwapButtons ? ibCancel : ibDecide;
  if (input->GetIsXX(kidButton1)) bits |= first;
  if (input->GetIsXX(kidButton2)) bits |= first ^ (ibDecide | ibCancel);
  return bits;
}

}  // namespace

TInputBits JoystickPoller1() { return PollJoystick(imJoyStick1, JoystickLastDirections[0]); }
TInputBits JoystickPoller2() { return PollJoystick(imJoyStick2, JoystickLastDirections[1]); }
