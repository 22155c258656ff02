// platform: the key state with its tap latch.
#include "platform/KeyLatch.h"

namespace platform {

void KeyLatch::Down(int vk) {
  Key& k = keys_[vk];
  k = Key{};
  k.held = true;
  k.pending = true;
}

void KeyLatch::Up(int vk, uint32_t now) {
  auto it = keys_.find(vk);
  if (it == keys_.end()) return;
  it->second.held = false;
  it->second.swallowed = false;
  it->second.upAt = now;
}

void KeyLatch::DropPending() {
  for (auto& [vk, k] : keys_) k.pending = false;
}

void KeyLatch::SwallowHeld() {
  for (auto& [vk, k] : keys_) {
    k.pending = false;
    if (k.held) k.swallowed = true;
  }
}

bool KeyLatch::Read(int vk, uint32_t now) {
  auto it = keys_.find(vk);
  if (it == keys_.end()) return false;
  Key& k = it->second;
  if (k.swallowed) return false;
  if (!k.pending) return k.held;
  if (k.held) {
    // Seen while held: the press has been read, the key's own state counts from now on.
    k.pending = false;
    return true;
  }
  if (!k.read) {
    if (now - k.upAt > kTapMemoryMs) {
      k.pending = false;
      return false;
    }
    k.read = true;
    k.firstRead = now;
    return true;
  }
  if (k.firstRead == now) return true;
  k.pending = false;
  return false;
}

bool KeyLatch::IsHeld(int vk) const {
  auto it = keys_.find(vk);
  return it != keys_.end() && it->second.held;
}

}  // namespace platform
