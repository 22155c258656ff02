// The world's arena: built at start-up from the sprite sheet's chips, gone at shutdown.
#include <gtest/gtest.h>

#include "field/Fieldxchip.h"
#include "actors/BattleState.h"
#include "shell/Bramkoworld.h"
#include "support/Headless.h"

namespace {

TEST(WorldArena, BuiltFromTheSheetsFourChipsAndReleasedAtShutdown) {
  bool checked = false;
  testing_support::RunHeadlessGame("", 300, 1, [&] {
    ASSERT_NE(Arena, nullptr);
    EXPECT_EQ(Arena->GetOriginX(), 24);
    EXPECT_EQ(Arena->GetOriginY(), 136);
    EXPECT_EQ(Arena->GetChipSize(), 16);
    EXPECT_EQ(Arena->GetWidth(), 0);  // no map until a match loads one
    ASSERT_EQ(Arena->ChipSheet().Width(), 64);
    ASSERT_EQ(Arena->ChipSheet().Height(), 16);
    for (int y = 0; y < 16; y += 5)
      for (int x = 0; x < 64; x += 3) EXPECT_EQ(Arena->ChipSheet().Pixel(x, y), SpriteSheet.Pixel(448 + x, 448 + y));

    // A match's map draws the sheet's chips on the battle canvas at the arena's origin.
    ASSERT_EQ(Arena->LoadMap("map1.txt"), 0);
    Arena->RedrawAll();
    const int n = Arena->ChipAt(0, 0);
    EXPECT_EQ(BattleCanvas->Target().Pixel(24 + 3, 136 + 5), Arena->ChipSheet().Pixel(16 * n + 3, 5));
    checked = true;
  });
  EXPECT_TRUE(checked);
  EXPECT_EQ(Arena, nullptr);
}

}  // namespace
