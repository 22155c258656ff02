// shell: the world state every scene shares (module Bramkoworld): the two canvases, the
// pictures loaded once at start-up, flags and the scene step that the main window's timer
// calls. The battle's own globals are in actors/BattleState.h.
#pragma once
#include <string>

#include "platform/Bitmap.h"

using SceneStepFn = int (*)();

// Surfaces and scene clock.
extern platform::Canvas* ScreenCanvas;  // the picture control's canvas: menus, maps, cut-scenes
extern platform::Canvas* BattleCanvas;  // the window's own canvas: battles
extern SceneStepFn SceneStep;

// Pictures, created by InitWorld and released by ShutdownWorld.
extern platform::Bitmap ScreenParts, SmallSheet, SmallMask, SpriteSheet, SpriteMask;
extern platform::Bitmap FaceSheet, GlyphSheet, GlyphMask, ClockDigits, FangIcons;
extern platform::Bitmap GaugeTiles[6];

// Flags and texts.
extern bool GameScreenActive;
extern bool MouseClicked;
extern bool ExtrasUnlocked;
extern bool WorldReady;
extern bool ResolutionChangeRequested;
extern std::string HelpFile;
extern std::string HelpKeyword;
// Class name of the scene on screen ("Title", "MainMenu", ...), for the simulator's report.
extern std::string SceneName;

void SetSceneStep(SceneStepFn step);
void InitWorld(platform::Canvas& windowCanvas, platform::Canvas& imageCanvas);
void ShowTitle();
// Draws the title picture (also before the world has started, to show it at once).
void PaintTitle(platform::Canvas& canvas);
int TitleStep();
int StartMainMenu();
void ClearScreen();
void ShutdownWorld();
bool IsExtrasUnlocked();

// The scene that StartMainMenu constructs; installed by the game's assembly so that the
// world does not depend on the chapters above it.
extern void (*MainMenuConstructor)(platform::Canvas& canvas);
// The battle's part of the world lives above the shell: its arena is made from the world's
// pictures and released with them, its state is reset with the world's, and its screen is
// painted again when the window asks. actors/BattleState.cpp fills these in.
struct BattleWorldHooks {
  void (*open)(platform::Canvas& windowCanvas) = nullptr;
  void (*close)() = nullptr;
  void (*reset)() = nullptr;
  void (*repaint)(platform::Canvas& canvas) = nullptr;
};
extern BattleWorldHooks BattleHooks;

// Back to the state before InitWorld (a new run in the same process).
void ResetWorldState();
