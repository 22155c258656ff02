// platform: the key state with its tap latch.
#include "platform/KeyLatch.h"

#include <cstddef>
#include <utility>

namespace platform {

const KeyLatch::Key* KeyLatch::Find(int vk) const {
  if (vk >= 0 && vk < static_cast<int>(codes_.size())) return &codes_[static_cast<std::size_t>(vk)];
  auto it = others_.find(vk);
  return it == others_.end() ? nullptr : &it->second;
}

KeyLatch::Key* KeyLatch::Find(int vk) { return const_cast<Key*>(std::as_const(*this).Find(vk)); }

KeyLatch::Key& KeyLatch::Slot(int vk) {
  if (vk >= 0 && vk < static_cast<int>(codes_.size())) return codes_[static_cast<std::size_t>(vk)];
  return others_[vk];
}

template <class F>
void KeyLatch::ForEach(F f) {
  for (Key& k : codes_) f(k);
  for (auto& [vk, k] : others_) f(k);
}

void KeyLatch::Down(int vk) {
  Key& k = Slot(vk);
  k = Key{};
  k.held = true;
  k.pending = true;
}

void KeyLatch::Up(int vk, uint32_t now) {
  Key* k = Find(vk);
  if (!k) return;
  k->held = false;
  k->swallowed = false;
  k->upAt = now;
}

void KeyLatch::ReleaseAll() {
  codes_.fill(Key{});
  others_.clear();
}

void KeyLatch::DropPending() {
  ForEach([](Key& k) { k.pending = false; });
}

void KeyLatch::SwallowHeld() {
  ForEach([](Key& k) {
    k.pending = false;
    if (k.held) k.swallowed = true;
  });
}

bool KeyLatch::Read(int vk, uint32_t now) {
  Key* found = Find(vk);
  if (!found) return false;
  Key& k = *found;
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
  const Key* k = Find(vk);
  return k && k->held;
}

}  // namespace platform
