// app: wiring of the scenes above the shell into the shell's hooks. Each room that
// arrives adds its line here.
#include "app/GameApp.h"
#include "settings/SettingsFile.h"
#include "shell/Unit1.h"

void AssembleGame() { ApplyStoredSettings = LoadAndApplySettings; }
