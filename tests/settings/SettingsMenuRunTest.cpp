// The whole game headless: the "設定変更" menu item creates the settings dialog (which reads
// the file, keys included), the headless platform answers it with Cancel, and the game goes
// on from the title with its input back.
#include "field/Fieldmap.h"
#include "field/MapState.h"
#include "platform/Window.h"
#include "input/KeyTable.h"
#include "SettingsKit.h"

namespace {

TEST(SettingsMenuRun, TheMenuItemOpensTheDialogAndCancelLeavesTheFileAndTheGameAsTheyWere) {
  const std::string dir = testing_support::FreshDir("settings-menu") + "/";
  const std::string ini = dir + "BRAMKO.INI";
  const std::string file = "[キーカスタマイズ　PLAYER1]\nKEY_FUNC1=81,87,\n[難易度調整]\nゲームスピード=0\n";
  // What the game holds after the dialog, seen through a menu item of the test's own.
  bool disabledAfterMenu = true, titleStepBack = false;
  std::vector<int> upKeys, downKeys;
  auto look = [&] {
    disabledAfterMenu = InputDisabled;
    titleStepBack = SceneStep == &TitleStep;
    upKeys = KeyTable::Keys(0, kfUp);
    downKeys = KeyTable::Keys(0, kfDown);
  };
  // The menu at 400 ms, on the title; Enter at 900 ms leaves the title for the main menu.
  const std::string script = "400 menu 設定/設定変更\n600 menu test/look\n900 tap ENTER\n";
  int status = testing_support::RunHeadlessGame(script, 2000, 1, [&] {
    platform::SetExecutableDir(dir);
    WriteTextFile(ini, file);
    KeyTable::ClearKeys();  // the start-up lists are not what the dialog will read
    auto menus = platform::Menus();
    menus.push_back({"test", {{"look", look}}});
    platform::SetMenus(menus);
  });
  const std::string sceneAfterMenu = SceneName;
  delete CurrentMapScene;
  platform::SetExecutableDir("");

  EXPECT_EQ(status, 0);
  // Created: the dialog read the file's lists into the table.
  EXPECT_EQ(upKeys, Codes({81, 87}));
  EXPECT_EQ(downKeys, KeyTable::DefaultKeys(0, kfDown));
  // Cancelled: nothing applied, nothing written.
  EXPECT_EQ(FramePeriodMs, 15);
  EXPECT_EQ(ReadTextFile(ini), file);
  // Destroyed: input back on and the title's step in place again, so Enter left the title.
  EXPECT_FALSE(disabledAfterMenu);
  EXPECT_TRUE(titleStepBack);
  EXPECT_EQ(sceneAfterMenu, "MainMenu");
}

}  // namespace
