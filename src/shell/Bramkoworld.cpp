// shell: world state, start-up of media and pictures, the title screen.
#include "shell/Bramkoworld.h"

#include "platform/Input.h"
#include "platform/Pictures.h"
#include "platform/Window.h"
#include "shell/Game.h"
#include "shell/GameMedia.h"
#include "shell/Random.h"
#include "input/KeyTable.h"

platform::Canvas* ScreenCanvas = nullptr;
platform::Canvas* BattleCanvas = nullptr;
SceneStepFn SceneStep = nullptr;

platform::Bitmap ScreenParts, SmallSheet, SmallMask, SpriteSheet, SpriteMask;
platform::Bitmap FaceSheet, GlyphSheet, GlyphMask, ClockDigits, FangIcons;
platform::Bitmap GaugeTiles[6];

bool GameScreenActive = false;
bool MouseClicked = false;
bool ExtrasUnlocked = false;
bool WorldReady = false;
bool ResolutionChangeRequested = false;
std::string HelpFile = "BRAMKO.HLP";
std::string HelpKeyword;
std::string SceneName;
BattleWorldHooks BattleHooks;

void (*MainMenuConstructor)(platform::Canvas& canvas) = nullptr;

namespace {

const char* const kEffects[] = {"FangHit",    "DrawScore", "GetItem", "GetTip", "Jump",  "MissTip",
                                "RoundScore", "Barrier",   "talk",    "bu",     "crush", "fall",
                                "daijump",    "Gan",       "hensin",  "hensin2"};
const char* const kMusic[] = {"DQend",    "fight", "doraq",    "bramko", "select", "fanfare",
                              "reporter", "field", "kokuhaku", "yui",    "KRend",  "event"};

// Cuts a rectangle of the sprite sheet into a picture of its own.
void CutFromSheet(platform::Bitmap& out, const platform::Rect& r) {
  out.SetSize(r.Width(), r.Height());
  out.GetCanvas().CopyRect({0, 0, r.Width(), r.Height()}, SpriteSheet, r);
}

}  // namespace

void SetSceneStep(SceneStepFn step) {
  // A scene moves on by removing its step: presses nobody has read belong to the old scene.
  if (!step) platform::DropPendingPresses();
  SceneStep = step;
  platform::SetTimerEnabled(step != nullptr);
}

void InitWorld(platform::Canvas& windowCanvas, platform::Canvas& imageCanvas) {
  if (WorldReady) return;
  ScreenCanvas = &imageCanvas;
  BattleCanvas = &windowCanvas;
  WorldReady = true;
  KeyTable::ClearKeys();  // keys held over a media start are not taken as presses
  InitMedia();
  for (const char* e : kEffects) OpenMedia(std::string(e) + ".wav", e);
  for (const char* m : kMusic) OpenMedia(std::string(m) + ".mid", m);
  PlayMusic("bramko");
  platform::LoadPicture("screen", ScreenParts);
  platform::LoadPicture("char0", SmallSheet);
  platform::LoadPicture("mask0", SmallMask);
  platform::LoadPicture("char2", SpriteSheet);
  platform::LoadPicture("mask2", SpriteMask);
  if (BattleHooks.open) BattleHooks.open(windowCanvas);
  CutFromSheet(ClockDigits, {256, 96, 496, 384});
  CutFromSheet(FangIcons, {256, 384, 576, 512});
  platform::LoadPicture("kao", FaceSheet);
  platform::LoadPicture("moji", GlyphSheet);
  platform::LoadPicture("mojimask", GlyphMask);
  SeedRandom(TickCount());
}

void PaintTitle(platform::Canvas& canvas) {
  platform::Bitmap title;
  platform::LoadPicture("C2_TITLE", title);
  canvas.Draw(0, 0, title);
}

void ShowTitle() {
  ClearScreen();
  PaintTitle(*ScreenCanvas);
  SceneName = "Title";
  SetSceneStep(TitleStep);
}

int TitleStep() {
  if (AnyInput() || MouseClicked) {
    SetSceneStep(nullptr);
    StartMainMenu();
  }
  return 0;
}

int StartMainMenu() {
  ClearScreen();
  if (MainMenuConstructor) {
    MainMenuConstructor(*ScreenCanvas);
  } else {
    // No menu scene in this build: the title stays the way back.
    ShowTitle();
  }
  return 0;
}

void ClearScreen() {
  ScreenCanvas->brush = platform::Brush{platform::kBlack};
  ScreenCanvas->FillRect({0, 0, 700, 500});
}

bool IsExtrasUnlocked() { return ExtrasUnlocked; }

void ShutdownWorld() {
  if (!WorldReady) return;
  WorldReady = false;
  ShutdownMedia();
  KeyTable::ClearKeys();
  for (platform::Bitmap* b : {&ScreenParts, &SmallSheet, &SmallMask, &SpriteSheet, &SpriteMask, &FaceSheet, &GlyphSheet,
                              &GlyphMask, &ClockDigits, &FangIcons})
    b->SetSize(0, 0);
  if (BattleHooks.close) BattleHooks.close();
}

void ResetWorldState() {
  ShutdownWorld();
  ScreenCanvas = BattleCanvas = nullptr;
  SceneStep = nullptr;
  if (BattleHooks.reset) BattleHooks.reset();
  GameScreenActive = MouseClicked = ExtrasUnlocked = ResolutionChangeRequested = false;
  HelpKeyword.clear();
  SceneName.clear();
}
