// Builders of every picture the generator writes.
#pragma once

#include "artbook.h"

struct Sheet {
  Image picture;
  Image mask;  // empty when the picture has no mask sheet
};

Sheet BuildChar2(const ArtBook& book);        // "char2" and "mask2"
Image BuildBattleFrame(const ArtBook& book);  // the 640x480 frame inside "char2"
Sheet BuildChar0(const ArtBook& book);        // "char0" and "mask0"
Image BuildScreen(const ArtBook& book);       // "screen"
Sheet BuildMoji(const ArtBook& book);         // "moji" and "mojimask"
Image BuildReporter(const ArtBook& book);     // "REPORTER"
Image BuildMessageMask();                     // "MessageMask"

// Shared look of the battle screen's panels.
namespace frame_style {
constexpr Rgb kBack{22, 20, 46};
constexpr Rgb kPanel{44, 40, 92};
constexpr Rgb kPanelLight{104, 98, 180};
constexpr Rgb kPanelDark{12, 10, 28};
constexpr Rgb kGold{232, 186, 64};
constexpr Rgb kGoldDark{140, 96, 24};
constexpr Rgb kWell{6, 6, 16};  // the dark inside of sockets and windows
void Panel(Image& img, int x, int y, int w, int h);
void Well(Image& img, int x, int y, int w, int h);  // a sunken window with a gold rim
void Socket(Image& img, int x, int y);              // a 32x32 socket for a round-won mark
}  // namespace frame_style
