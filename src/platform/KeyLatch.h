// platform: key-down state by virtual-key code as the backends keep it from key events, with
// the tap latch: a key that went down and up between two reads of it still reads as down.
// A tap is meant for the screen on which it was made, so the latch forgets it quickly.
#pragma once
#include <array>
#include <cstdint>
#include <unordered_map>

namespace platform {

class KeyLatch {
 public:
  // How long an unread tap is remembered after its key went up. The slowest readers of taps
  // look at their keys about every 100 ms (the ending's typewriter ticks at up to 100 ms, the
  // versus menu reads each player once per 2 x 40 ms); 150 ms keeps a tap for them even when
  // a tick comes late on a busy machine. A press nobody reads by then was meant for a screen
  // that does not use that key, and must not act on a later one (an F4 tapped on the versus
  // menu used to end the next match).
  static constexpr uint32_t kTapMemoryMs = 150;

  void Down(int vk);
  void Up(int vk, uint32_t now);
  // Focus lost: every key counts as released.
  void ReleaseAll();
  // Forgets every unread tap (a new scene, a new round); held keys stay held.
  void DropPending();
  // A modal window has closed: forgets every unread tap, and a key still held (the one that
  // closed the window, or one pressed while it was up) reads as up until it is pressed again.
  void SwallowHeld();
  // The key's state for a read at time now. An unread tap reads as down for every read
  // within the millisecond of its first read, so one check that looks twice sees it twice.
  bool Read(int vk, uint32_t now);
  bool IsHeld(int vk) const;

 private:
  struct Key {
    bool held = false;
    bool swallowed = false;  // held since before a modal window closed: not for the game
    bool pending = false;    // went down since it was last seen
    bool read = false;       // the pending tap has been read once, at firstRead
    uint32_t firstRead = 0;
    uint32_t upAt = 0;
  };
  // A key never pressed reads like a fresh Key. Every virtual-key code fits the table, which
  // a battle frame reads some twenty times; other codes (a script may name any number) go to
  // the map.
  const Key* Find(int vk) const;
  Key* Find(int vk);
  Key& Slot(int vk);
  template <class F>
  void ForEach(F f);
  std::array<Key, 256> codes_{};
  std::unordered_map<int, Key> others_;
};

}  // namespace platform
