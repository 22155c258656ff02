// Fighter looks: each character's art turned into the eight 32x32 cells of its sheet row
// (frames A and B, fang A and B, hit A and B, victory poses 1 and 2), and the matching
// silhouettes for the mask sheet, all derived from the same art.
#pragma once

#include <array>

#include "artbook.h"

constexpr int kComputerCharacters = 20;
constexpr int kHeroLook = -1;

struct FighterColours {
  Rgb main, dark, light, outline;
};

using FighterRow = std::array<Image, 8>;

// Left-facing rows; look = character id 0..19, or kHeroLook.
FighterRow ComputerRow(const ArtBook& book, int look);
// The hero's row, facing right.
FighterRow HeroRow(const ArtBook& book);
// The shared silhouettes: left-facing (every computer character) and right-facing (hero).
FighterRow SilhouetteRow(const ArtBook& book, bool facingRight);
FighterColours ColoursOf(const ArtBook& book, int look);
// The body art of a look as drawn in frame A (left-facing).
Image LookArt(const ArtBook& book, int look);
Image FangFrame(const ArtBook& book, int look, int frame, bool facingRight);
