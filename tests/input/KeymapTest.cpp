// The key map between the game's virtual-key codes and physical keys, and key names.
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "platform/Input.h"
#include "platform/VkMap.h"
#include "input/KeyTable.h"

namespace {

std::vector<int> CodesTheGameMeets() {
  std::vector<int> v;
  for (int c = 'A'; c <= 'Z'; ++c) v.push_back(c);
  for (int c = '0'; c <= '9'; ++c) v.push_back(c);
  for (int c = 0x70; c <= 0x7B; ++c) v.push_back(c);  // F1-F12
  for (int c = 0x60; c <= 0x69; ++c) v.push_back(c);  // keypad digits with NumLock
  for (int c = 0x25; c <= 0x28; ++c) v.push_back(c);  // arrows
  for (int c = 186; c <= 192; ++c) v.push_back(c);    // OEM punctuation
  for (int c = 219; c <= 222; ++c) v.push_back(c);
  for (int c : {226, 0x0D, 0x20, 0x1B, 0x09, 0x10, 0x11, 0x12, 0xA0, 0xA1, 0xA2, 0xA3, 0xA4, 0xA5, 0x6A, 0x6B, 0x6D,
                0x6E, 0x6F})
    v.push_back(c);
  return v;
}

bool Has(const std::vector<int>& v, int c) { return std::find(v.begin(), v.end(), c) != v.end(); }

TEST(KeyMapTest, EveryCodeTheGameMeetsHasAKeyThatProducesIt) {
  for (int vk : CodesTheGameMeets()) {
    SDL_Scancode sc = platform::ScancodeForVk(vk);
    ASSERT_NE(sc, SDL_SCANCODE_UNKNOWN) << vk;
    EXPECT_TRUE(Has(platform::VksForScancode(sc, true), vk)) << vk;
    EXPECT_FALSE(platform::KeyName(vk).empty()) << vk;
  }
  for (int row = 0; row < 2; ++row)
    for (int f = 0; f < 6; ++f)
      for (int vk : KeyTable::DefaultKeys(row, f)) EXPECT_FALSE(platform::KeyName(vk).empty()) << vk;
}

TEST(KeyMapTest, CodesWithoutAKeyHaveNoNameAndAreNeverDown) {
  for (int vk : {0, 255, 1000, -1, 0x07, 0xFF00}) {
    EXPECT_EQ(platform::ScancodeForVk(vk), SDL_SCANCODE_UNKNOWN) << vk;
    EXPECT_EQ(platform::KeyName(vk), "") << vk;
    EXPECT_FALSE(platform::KeyDown(vk)) << vk;
  }
}

}  // namespace
