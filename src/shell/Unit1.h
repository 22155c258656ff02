// shell: the process entry and the one main window TForm1 (module Unit1): single-instance
// lock, the menu bar, the scene timer, the paint filter of the battle screen and F1 help.
#pragma once
#include <memory>
#include <string>
#include <vector>

#include "input/Ginput.h"
#include "shell/GameFiles.h"  // SettingsFilePath, for the rooms that read the settings
#include "shell/Mscunit.h"

class TForm1 {
 public:
  TForm1();
  ~TForm1();

  void FormCreate();
  void Timer1Timer();
  void FormClose();
  void FormDestroy();
  void FormPaint();
  void Image1MouseUp();
  void FormKeyDown(int vk);
  void SCComponent1WndProc(TSCComponent& sender, TMessage& message);

  platform::Canvas& Canvas();        // the form's own canvas
  platform::Canvas& Image1Canvas();  // the picture control's canvas

  TGameInput GameInput1;  // the joysticks: imJoyStick1, auto-update on

 private:
  TSCComponent SCComponent1;
  bool destroyed_ = false;
  std::vector<int (*)()> runningSteps_;  // scene steps on the call stack, outermost first
};

extern TForm1* Form1;

// Hooks of rooms above the shell, installed by the game's assembly: the settings dialog of
// the "設定変更" menu item (also its apply step at start-up) and the save of "保存".
extern void (*ShowSettingsDialog)();
extern void (*ApplyStoredSettings)();
extern void (*SaveProgressHook)();
// The replay items of the file menu, installed by the game's assembly.
extern void (*SaveReplayHook)();
extern void (*PlayReplayHook)();
extern void (*NetVersusHook)();  // "ネット対戦…"
