// online: the link figures' line.
#include "online/NetStatsLine.h"

#include "shell/Bramkoworld.h"
#include "shell/Game.h"

bool NetStatsShown = false;

namespace {

constexpr platform::Rect kBand = {20, 464, 236, 478};
constexpr int kRedrawEvery = 15;  // frames

void Draw(const std::string& text) {
  platform::Canvas& c = *BattleCanvas;
  c.brush = platform::Brush{platform::kBlack};
  c.FillRect(kBand);
  c.font = platform::Font{"ＭＳ Ｐゴシック", 9, platform::kWhite, false};
  c.TextOut(kBand.left + 4, kBand.top + 1, text);
}

void Hide() {
  platform::Canvas& c = *BattleCanvas;
  c.copyMode = platform::CopyMode::Copy;
  // The battle screen's picture starts at row 672 of the sprite sheet.
  c.CopyRect(kBand, SpriteSheet, {kBand.left, kBand.top + 672, kBand.right, kBand.bottom + 672});
}

}  // namespace

std::string NetStatsText(const NetStatsFigures& f) {
  return "往復 " + std::to_string(f.pingMs) + " ms　巻き戻し " + std::to_string(f.lastRollback) + "／最大 " +
         std::to_string(f.mostRollback) + " フレーム　待ち " + std::to_string(f.framesWaited);
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
