// shell: window subclassing on the platform's message filter.
#include "shell/Mscunit.h"

void TSCComponent::SetWinControl() {
  if (attached_) return;
  previous_ = platform::Handlers().filter;
  platform::Handlers().filter = [this](platform::WindowMessage m) { return NewWndProc(m); };
  attached_ = true;
}

void TSCComponent::DefWndProc(TMessage& message) { message.handled = previous_ ? previous_(message.msg) : false; }

bool TSCComponent::NewWndProc(platform::WindowMessage m) {
  TMessage message{m, 0, false};
  if (OnWndProc) OnWndProc(*this, message);
  return message.handled;
}

TSCComponent::~TSCComponent() {
  if (attached_) platform::Handlers().filter = previous_;
}
