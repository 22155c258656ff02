// input: the game input component (module GInput). TGameInput reads one stick, a
// joystick or a keyboard stick, through six input ids; the two joystick pollers turn the
// joysticks into the same input bits the keyboard polling produces.
#pragma once
#include <array>
#include <cstdint>
#include <initializer_list>
#include <memory>

#include "input/KeyTable.h"

enum TInputMode : int { imJoyStick1 = 0, imJoyStick2 = 1, imKeyBoard = 2, imKeyLeft = 3, imKeyRight = 4 };

// Input ids of the component; not the key-function order.
using TKeyID = int;
enum : int { kidLeft = 0, kidUp = 1, kidRight = 2, kidDown = 3, kidButton1 = 4, kidButton2 = 5 };

struct TPoint {
  int x = 0, y = 0;
};

class TCustomStick {
 public:
  virtual ~TCustomStick() = default;
  virtual bool GetState(TKeyID id) = 0;
  virtual bool Update() = 0;

  bool AutoUpdate = false;
};

class TJoyStick : public TCustomStick {
 public:
  TJoyStick() = default;
  explicit TJoyStick(uint32_t id) : IDDevice(id) {}

  void SetIDDevice(uint32_t id);
  // Reads the axis ranges; the middle third of each axis is the dead zone.
  void Init();
  bool Update() override;
  bool GetState(TKeyID id) override;

  uint32_t IDDevice = 0;
  bool Initialized = false;
  int32_t LeftThreshold = 0, RightThreshold = 0, UpThreshold = 0, DownThreshold = 0;
  int32_t X = 0, Y = 0;
  uint32_t Buttons = 0;
};

struct TKeyStickState {
  uint16_t Keys[3] = {0, 0, 0};  // 0 marks an empty slot
  bool State = false;
};
using TKeyStateList = std::array<TKeyStickState, 6>;

class TKeyStick : public TCustomStick {
 public:
  // Up to three codes per id; codes past the third are ignored, missing ones become 0.
  void AssignKey(TKeyID id, std::initializer_list<uint16_t> codes);
  void SetKey(uint16_t k0, uint16_t k1, uint16_t k2, uint16_t k3, uint16_t k4, uint16_t k5);
  bool UpdateKeyState(TKeyID id);
  // With auto-update off, latches all six states at one moment.
  bool Update() override;
  bool GetState(TKeyID id) override;

  TKeyStateList KeyList{};
};

class TGameInput {
 public:
  TGameInput();
  ~TGameInput();
  TGameInput(const TGameInput&) = delete;
  TGameInput& operator=(const TGameInput&) = delete;

  TInputMode InputMode() const { return mode_; }
  void SetInputMode(TInputMode mode);
  bool GetAutoUpdate() const;
  void SetAutoUpdate(bool value);

  bool GetIsXX(TKeyID id);
  int GetLeftRight();
  int GetUpDown();
  TPoint GetDirection();
  bool Update();
  TKeyStick* GetKeyStick();
  TCustomStick* Stick() const { return stick_.get(); }

 private:
  // A fresh component has no mode yet, so its first SetInputMode always builds a stick.
  TInputMode mode_ = imJoyStick1;
  std::unique_ptr<TCustomStick> stick_;
};

// The component the joystick pollers drive: the main window's GameInput1 while it exists.
extern TGameInput* JoystickInput;

// The joystick pollers: joystick 1 (imJoyStick1) and joystick 2 (imJoyStick2).
TInputBits JoystickPoller1();
TInputBits JoystickPoller2();
// Each poller's last single direction (0 at start-up).
extern TInputBits JoystickLastDirections[2];
// The second button decides and the first cancels, on every joystick (a setting of ours).
extern bool JoystickSwapButtons;
