// online: the link figures' line.
#include "online/NetStatsLine.h"

#include "platform/Translate.h"

#include <algorithm>

#include "shell/Bramkoworld.h"
#include "shell/Game.h"

bool NetStatsShown = false;

namespace {

// The right of the bottom band, clear of the game's name in its middle.
constexpr platform::Rect kBand = {368, 464, 624, 478};
constexpr int kRedrawEvery = 15;  // frames

void Hide() {
  platform::Canvas& c = *BattleCanvas;
  c.copyMode = platform::CopyMode::Copy;
  // The battle screen's picture starts at row 672 of the sprite sheet.
  c.CopyRect(kBand, SpriteSheet, {kBand.left, kBand.top + 672, kBand.right, kBand.bottom + 672});
}

void Draw(const std::string& text) {
  platform::Canvas& c = *BattleCanvas;
  Hide();
  c.font = platform::Font{"ＭＳ Ｐゴシック", 9, platform::kWhite, false};
  const int left = std::max(kBand.left, kBand.right - 4 - c.TextWidth(text));
  c.brush = platform::Brush{platform::kBlack};
  c.FillRect({left - 4, kBand.top, kBand.right, kBand.bottom});
  c.TextOut(left, kBand.top + 1, text);
}

}  // namespace

std::string NetStatsText(const NetStatsFigures& f) {
  return Format(Tr("往復 %u ms　巻き戻し %u（最大 %u）　待ち %u"), f.pingMs, f.lastRollback, f.mostRollback,
                f.framesWaited);
}

void NetStatsLine::Frame(const NetStatsFigures& figures) {
  if (!BattleCanvas) return;
  const bool key = KeyIsDown(kNetStatsKey);
  const bool pressed = key && !keyWas_;
  keyWas_ = key;
  if (pressed) {
    NetStatsShown = !NetStatsShown;
    if (!NetStatsShown) Hide();
    frames_ = 0;
  }
  if (NetStatsShown && frames_++ % kRedrawEvery == 0) Draw(NetStatsText(figures));
}
