// chapters: the main menu (module Mainmenu), the hub of the game. A waypoint map whose
// waypoints are the menu items; the hero stands beside the chosen one.
#pragma once
#include "field/Fieldmap.h"

class MainMenu : public FieldMap {
 public:
  explicit MainMenu(platform::Canvas& canvas);
};

// The item the menu reopens on; 0 at start-up, kept for the run, never saved.
extern int MainMenuLastItem;

// Scenes the menu leads to that live in other rooms or come later; while one is missing,
// choosing its item leaves the menu running.
extern void (*JourneyConstructor)(platform::Canvas& canvas);
extern void (*ExtrasMenuConstructor)(platform::Canvas& canvas);

// Makes StartMainMenu build this menu and puts the menu back to its start-up state.
void InstallMainMenu();
