// chapters: the main menu: its items, the last chosen item and what each item starts.
#include "chapters/Mainmenu.h"

#include "screens/Vsmode.h"
#include "platform/Window.h"
#include "shell/Bramkoworld.h"
#include "shell/Game.h"
#include "shell/GameMedia.h"
#include "field/Savefile.h"

int MainMenuLastItem = 0;
void (*JourneyConstructor)(platform::Canvas& canvas) = nullptr;
void (*ExtrasMenuConstructor)(platform::Canvas& canvas) = nullptr;

namespace {

// Top-left corners of the hero beside each caption of the menu picture.
const LPoint kItemPoints[6] = {{118, 110}, {118, 142}, {118, 174}, {118, 206}, {118, 238}, {118, 270}};

enum Item { kStart = 0, kContinue = 1, kVersus = 2, kSettings = 3 };

int MenuSelect() {
  FieldMap* menu = CurrentMapScene;
  const int i = CurrentWaypoint;
  MainMenuLastItem = i;
  if (i == kStart || i == kContinue) {
    if (!JourneyConstructor) {
      if (i == kContinue) LoadProgress();
      return 0;
    }
    SetSceneStep(nullptr);
    // Without a save file the chapter starts from the progress held in memory.
    if (i == kContinue) LoadProgress();
    SetSceneStep(nullptr);
    WaitRelease();
    PlayMusic("field");
    platform::Canvas& canvas = menu->GetTargetCanvas();
    delete menu;
    JourneyConstructor(canvas);
    return 0;
  }
  if (i == kVersus) {
    // The select key is let go first, or player 1 would pick "type a" with it at once.
    SetSceneStep(nullptr);
    WaitRelease();
    // The versus screen takes over; the menu is not needed behind it.
    platform::Canvas& canvas = menu->GetTargetCanvas();
    delete menu;
    new VSMode(canvas);
    return 0;
  }
  if (i == kSettings) {
    // The dialog is modal; the menu goes on where it was when it closes.
    platform::ClickMenu("設定", "設定変更");
    return 0;
  }
  if (i == 4 || i == 5) {
    if (i == menu->WaypointCount() - 1) {
      delete menu;
      return -1;  // the last item ends the program
    }
    if (!ExtrasMenuConstructor) return 0;
    SetSceneStep(nullptr);
    WaitRelease();
    PlayMusic("field");
    platform::Canvas& canvas = menu->GetTargetCanvas();
    delete menu;
    ExtrasMenuConstructor(canvas);
  }
  return 0;
}

void ConstructMainMenu(platform::Canvas& canvas) { new MainMenu(canvas); }

}  // namespace

MainMenu::MainMenu(platform::Canvas& canvas) : FieldMap(canvas, ExtrasUnlocked ? "C2MENU4" : "C2MENU3", midMainMenu) {
  SceneName = "MainMenu";
  HelpKeyword = "メニュー画面";
  const int items = ExtrasUnlocked ? 6 : 5;
  for (int i = 0; i < items; ++i) AddWaypoint(&kItemPoints[i]);
  SelectHandler = MenuSelect;
  PlayMusic("select");
  // The extras item may have gone since (a settings file edited by hand): stay in range.
  if (MainMenuLastItem >= items) MainMenuLastItem = items - 1;
  MoveCursorTo(MainMenuLastItem);
  RedrawAll();
  topMenu = 1;
  // The key that led here (a select on the title or on "exit" of the versus screen) is let
  // go before the menu reads the keys: held, it would run the item under the hero at once.
  WaitRelease();
  SetSceneStep(FieldMapStep);
}

void InstallMainMenu() {
  MainMenuLastItem = 0;
  MainMenuConstructor = ConstructMainMenu;
}
