// screens: the versus menu: cursors, power gauges, key repeat per player, the match.
#include "screens/Vsmode.h"

#include "platform/Window.h"
#include "actors/BattleState.h"
#include "shell/Bramkoworld.h"
#include "actors/BattlePanel.h"
#include "shell/Game.h"
#include "shell/GameMedia.h"

int VersusPowerLevel[2] = {0, 0};
VSMode* CurrentVersus = nullptr;
int (*VersusMatchRunner)() = nullptr;
VersusPeer* OnlineVersusPeer = nullptr;

namespace {

constexpr uint32_t kRepeatMs = 200;
constexpr int kExit = 3;
constexpr int kCells = 7;

const LPoint kPoints[2][4] = {{{32, 128}, {32, 160}, {32, 192}, {32, 224}},
                              {{352, 128}, {352, 160}, {352, 192}, {352, 224}}};
// Normal look of each cursor (32 pixels to the right is the chosen look).
const platform::Rect kCursorLook[2] = {{64, 0, 96, 32}, {416, 64, 448, 96}};
const platform::Rect kCellFull{0, 32, 32, 64}, kCellEmpty{32, 32, 64, 64};

}  // namespace

VSMode::VSMode(platform::Canvas& canvas) : LFieldBMP(canvas, "C2_MENU") {
  CurrentVersus = this;
  for (int p = 0; p < 2; ++p) {
    cursors[p] = new LCharcter(this, &SpriteSheet, &SpriteMask, kCursorLook[p]);
    points[p] = kPoints[p];
    for (int k = 0; k < kCells; ++k) {
      gauge[p][k] = new LCharcter(this, &SmallSheet, &SmallMask, kCellEmpty);
      gauge[p][k]->MoveTo(32 + 320 * p + 32 * k, 350);
    }
  }
  // Player 2's picture has its silhouette at player 1's place in the mask.
  cursors[1]->maskOffsetX = -352;
  cursors[1]->maskOffsetY = -64;
  DrawTexts();
  Reset();
}

VSMode::~VSMode() {
  SetSceneStep(nullptr);
  for (int p = 0; p < 2; ++p) {
    ReleaseSprite(cursors[p]);
    for (LCharcter*& cell : gauge[p]) ReleaseSprite(cell);
    points[p] = nullptr;
  }
  if (CurrentVersus == this) CurrentVersus = nullptr;
}

void VSMode::DrawTexts() {
  platform::Canvas& c = PictureCanvas();
  PaintGlyphText(48, 32, "select fang type", c);
  static const char* const kItems[] = {"type a", "type b", "type c", "exit"};
  for (int p = 0; p < 2; ++p) {
    const int x = 32 + 320 * p;
    PaintGlyphText(x, 96, p == 0 ? "player 1" : "player 2", c);
    for (int i = 0; i < 4; ++i) PaintGlyphText(x + 32, 128 + 32 * i, kItems[i], c);
    PaintGlyphText(x, 318, "<power>", c);
  }
}

void VSMode::DrawPowerGauges() {
  for (int p = 0; p < 2; ++p) {
    for (int k = 0; k < kCells; ++k) {
      gauge[p][k]->source = k < VersusPowerLevel[p] ? kCellFull : kCellEmpty;
      gauge[p][k]->Refresh();
    }
  }
}

void VSMode::PlaceCursor(int p) {
  const LPoint& at = points[p][cursorIndex[p]];
  cursors[p]->MoveTo(at.x, at.y);
}

void VSMode::Reset() {
  SceneName = "VSMode";
  HelpKeyword = "対戦画面";
  SetSceneStep(nullptr);
  PlayMusic("bramko");
  for (int p = 0; p < 2; ++p) {
    cursorIndex[p] = 0;
    PlaceCursor(p);
    cursors[p]->source = kCursorLook[p];
    cursors[p]->Refresh();
    decided[p] = 0;
  }
  shownStatus_.clear();  // the screen was drawn again: the status line with it
  platform::SetTimerInterval(20);
  DrawPowerGauges();
  RedrawAll();
  SetSceneStep(Step);
}

void VSMode::Leave() {
  if (OnlineVersusPeer) return LeaveOnline(*OnlineVersusPeer, true);
  SetSceneStep(nullptr);
  delete this;
  StartMainMenu();
}

void VSMode::LeaveOnline(VersusPeer& peer, bool byPlayer) {
  SetSceneStep(nullptr);
  const bool stay = peer.Leave(byPlayer);
  OnlineVersusPeer = nullptr;
  platform::Canvas& canvas = GetTargetCanvas();
  delete this;
  if (stay)
    new VSMode(canvas);
  else
    StartMainMenu();
}

bool VSMode::StepOnline(VersusPeer& peer) {
  if (peer.LocalSide() < 0) return StepWatching(peer);
  const int me = peer.LocalSide(), them = 1 - me;
  if (!decided[me] && !HandlePlayer(me)) return false;
  VersusSideState theirs{cursorIndex[them], VersusPowerLevel[them], decided[them] != 0};
  const VersusSideState before = theirs;
  if (!peer.Exchange({cursorIndex[me], VersusPowerLevel[me], decided[me] != 0}, &theirs)) {
    LeaveOnline(peer, false);
    return false;
  }
  if (!(theirs == before)) ShowSide(them, theirs);
  ShowStatus(peer.Status());
  if (decided[0] && decided[1]) StartMatch();
  return true;
}

bool VSMode::StepWatching(VersusPeer& peer) {
  VersusSideState sides[2];
  for (int p = 0; p < 2; ++p) sides[p] = {cursorIndex[p], VersusPowerLevel[p], decided[p] != 0};
  bool start = false;
  if (!peer.Follow(sides, &start)) {
    LeaveOnline(peer, false);
    return false;
  }
  for (int p = 0; p < 2; ++p)
    if (!(sides[p] == VersusSideState{cursorIndex[p], VersusPowerLevel[p], decided[p] != 0})) ShowSide(p, sides[p]);
  ShowStatus(peer.Status());
  if (start) StartMatch();
  return true;
}

void VSMode::ShowSide(int p, const VersusSideState& side) {
  if (decided[p]) return;
  cursorIndex[p] = side.cursor;
  PlaceCursor(p);
  VersusPowerLevel[p] = side.power;
  DrawPowerGauges();
  if (side.decided) {
    cursors[p]->source.left += 32;
    cursors[p]->source.right += 32;
    cursors[p]->Refresh();
    decided[p] = 1;
  }
}

// A line in the black band under the picture, which the scene never paints.
void VSMode::ShowStatus(const std::string& text) {
  if (text == shownStatus_) return;
  shownStatus_ = text;
  platform::Canvas& c = GetTargetCanvas();
  c.brush = platform::Brush{platform::kBlack};
  c.FillRect({0, 420, platform::kGameWidth, 460});
  c.font = platform::Font{"ＭＳ Ｐゴシック", 12, platform::kWhite, false};
  c.TextOut(32, 430, text);
}

void VSMode::StartMatch() {
  PumpMessages();
  for (int f = 0; f < 2; ++f) {
    FangPowerByMode[f][mmVersus] = VersusFangPower(VersusPowerLevel[f]);
    FangSetByMode[f][mmVersus] = cursorIndex[f];
  }
  if (OnlineVersusPeer)
    OnlineVersusPeer->PlayMatch();
  else if (VersusMatchRunner)
    VersusMatchRunner();
  Reset();
}

int VSMode::Step() {
  VSMode* scene = CurrentVersus;
  if (!scene) return 0;
  if (CancelPressed()) {
    scene->Leave();
    return 0;
  }
  KeepMusicLooping();
  if (OnlineVersusPeer) {
    if (scene->StepOnline(*OnlineVersusPeer)) scene->StepAll();
    return 0;
  }
  for (int p = 0; p < 2; ++p) {
    if (scene->decided[p]) continue;
    if (!scene->HandlePlayer(p)) return 0;
  }
  scene->StepAll();
  return 0;
}

bool VSMode::HandlePlayer(int p) {
  // Online, the local player may use either key set for its side.
  const int player = OnlineVersusPeer ? piBoth : SlotPlayer[p];
  const TInputBits b = ReadPlayerInput(player);
  if (b == 0) {
    BusyWait(40);
    if (ReadPlayerInput(player) == 0) lastBits[p] = 0;
  }
  const uint32_t now = TickCount();
  // A held key repeats every 200 ms; a released key may be pressed again at once.
  if (now - lastTime[p] <= kRepeatMs && lastBits[p] != 0) return true;
  lastTime[p] = now;
  lastBits[p] = b;

  const int i = cursorIndex[p];
  const int cursorY = cursors[p]->y;
  auto moveTo = [&](int j) {
    cursorIndex[p] = j;
    PlaceCursor(p);
  };
  if (b & ibUp) {
    if (i > 0 && points[p][i - 1].y < cursorY) return moveTo(i - 1), true;
    if (i < kExit && points[p][i + 1].y < cursorY) return moveTo(i + 1), true;
  }
  if (b & ibDown) {
    if (i > 0 && points[p][i - 1].y > cursorY) return moveTo(i - 1), true;
    if (i < kExit && points[p][i + 1].y > cursorY) return moveTo(i + 1), true;
  }
  if ((b & ibLeft) && VersusPowerLevel[p] > 0) {
    --VersusPowerLevel[p];
    DrawPowerGauges();
  }
  if ((b & ibRight) && VersusPowerLevel[p] < kCells) {
    ++VersusPowerLevel[p];
    DrawPowerGauges();
  }
  if (b & ibDecide) return Decide(p);
  return true;
}

bool VSMode::Decide(int p) {
  if (cursorIndex[p] == kExit) {
    Leave();
    return false;
  }
  cursors[p]->source.left += 32;
  cursors[p]->source.right += 32;
  cursors[p]->Refresh();
  decided[p] = 1;
  // Online, the step starts the match once the other machine has decided too.
  if (!decided[1 - p] || OnlineVersusPeer) return true;
  StartMatch();
  return true;
}

void ResetVersusState() {
  VersusPowerLevel[0] = VersusPowerLevel[1] = 0;
  CurrentVersus = nullptr;
  VersusMatchRunner = nullptr;
  OnlineVersusPeer = nullptr;
}
