// app: wiring of the scenes above the shell into the shell's hooks. Each room that
// arrives adds its line here.
#include "screens/Vsmode.h"
#include "app/GameApp.h"
#include "battle/Battle.h"
#include "battle/ReplayDialogs.h"
#include "chapters/Doraqstage.h"
#include "chapters/Krstage1.h"
#include "chapters/Mainmenu.h"
#include "online/NetVersusDialog.h"
#include "screens/Krending.h"
#include "screens/Omake.h"
#include "screens/Untiku.h"
#include "settings/Custom.h"
#include "field/Savefile.h"
#include "shell/Unit1.h"

void AssembleGame() {
  ApplyStoredSettings = ApplySettingsAtStartup;  // the settings dialog, never shown
  ShowSettingsDialog = RunSettingsDialog;        // "設定" / "設定変更"
  InstallMainMenu();                             // the title leads to the main menu
  JourneyConstructor = ConstructJourney;         // the main menu's start and continue items
  StartTournamentEnding = StartKREnding;         // the profile screen, after the final is won
  DoraQStageConstructor = ConstructDoraQStage;   // the great jump of the journey map
  DoraQEndingRunner = DoraQEnding;               // the profile screen, after DoraQ is beaten
  ResetExtrasMenu();
  ExtrasMenuConstructor = ConstructExtrasMenu;  // the main menu's extras item
  ResetVersusState();
  VersusMatchRunner = RunVersusMatch;       // the versus screen's match
  SaveProgressHook = SaveProgressFromMenu;  // "保存"
  SaveReplayHook = SaveReplayCommand;       // "リプレイを保存…"
  PlayReplayHook = PlayReplayCommand;       // "リプレイを再生…"
  NetVersusHook = NetVersusCommand;         // "ネット対戦…"
}
