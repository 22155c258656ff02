// shell: the window subclassing component (module Mscunit). It sees the main window's
// paint messages before the form does, so the battle screen can keep the system from
// painting over it.
#pragma once
#include <functional>

#include "platform/Window.h"

struct TMessage {
  platform::WindowMessage msg;
  int result = 0;
  bool handled = false;  // false: the message goes on to the previous handling
};

class TSCComponent;
using TSCCWndProcEvent = std::function<void(TSCComponent& sender, TMessage& message)>;

class TSCComponent {
 public:
  TSCCWndProcEvent OnWndProc;
  // Attaches the component to the main window (the only window this game has).
  void SetWinControl();
  bool Attached() const { return attached_; }
  // Passes a message on to the handling that was in place before the component.
  void DefWndProc(TMessage& message);
  ~TSCComponent();

 private:
  bool NewWndProc(platform::WindowMessage m);
  bool attached_ = false;
  std::function<bool(platform::WindowMessage)> previous_;
};
