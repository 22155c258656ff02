// shell: main window and its event handlers.
#include "shell/Unit1.h"

#include <algorithm>

#include "platform/Dialogs.h"
#include "platform/Display.h"
#include "platform/files/Files.h"
#include "platform/files/IniFile.h"
#include "platform/Platform.h"
#include "platform/Window.h"
#include "shell/Bramkoworld.h"
#include "shell/Game.h"
#include "shell/GameMedia.h"

TForm1* Form1 = nullptr;
void (*ShowSettingsDialog)() = nullptr;
void (*ApplyStoredSettings)() = nullptr;
void (*SaveProgressHook)() = nullptr;
void (*SaveReplayHook)() = nullptr;
void (*PlayReplayHook)() = nullptr;
void (*NetVersusHook)() = nullptr;

namespace {

void PumpWindowMessages() { platform::Service(); }

}  // namespace

TForm1::TForm1() {
  Form1 = this;
  GameInput1.SetInputMode(imJoyStick1);
  GameInput1.SetAutoUpdate(true);
  JoystickInput = &GameInput1;
  platform::CreateMainWindow("Bramko2 for Windows");
  // The window's icon is the hero's face from the title picture.
  platform::SetWindowIcon("C2_TITLE", {462, 192, 622, 352});
  platform::WindowHandlers h;
  h.onTimer = [this] { Timer1Timer(); };
  h.onClose = [this] { FormClose(); };
  h.onKeyDown = [this](int vk) { FormKeyDown(vk); };
  h.onMouseUp = [this] { Image1MouseUp(); };
  h.onPaint = [this] { FormPaint(); };
  platform::SetWindowHandlers(std::move(h));
  platform::SetTimerEnabled(false);
  platform::SetTimerInterval(50);
  platform::Service();

  // The display mode is never switched: a request for it opened the window fullscreen.
  ResolutionChangeRequested = platform::CurrentDisplayPrefs().fullscreen;

  platform::SetMenus({
      {"ファイル(&F)",
       {{"保存",
         [] {
           if (SaveProgressHook) SaveProgressHook();
         }},
        {"-", nullptr},
        {"リプレイを保存…",
         [] {
           if (SaveReplayHook) SaveReplayHook();
         }},
        {"リプレイを再生…",
         [] {
           if (PlayReplayHook) PlayReplayHook();
         }},
        {"ネット対戦…",
         [] {
           if (NetVersusHook) NetVersusHook();
         }},
        {"-", nullptr},
        {"終了(&X)", [] { platform::CloseWindow(); }}}},
      {"設定",
       {{"設定変更",
         [] {
           if (!ShowSettingsDialog) return;
           ShowSettingsDialog();
           WaitRelease();  // the key that closed the dialog is not for the game
         }}}},
      {"ヘルプ(&H)",
       {{"ヘルプ",
         [] {
           if (HelpMayOpen()) platform::ShowHelp(HelpFile, "");
         }}}},
  });
  PumpHook = PumpWindowMessages;
  FormCreate();
}

TForm1::~TForm1() {
  FormDestroy();
  if (JoystickInput == &GameInput1) JoystickInput = nullptr;
  if (Form1 == this) Form1 = nullptr;
}

platform::Canvas& TForm1::Canvas() { return platform::WindowCanvasBitmap().GetCanvas(); }
platform::Canvas& TForm1::Image1Canvas() { return platform::ImageCanvasBitmap().GetCanvas(); }

void TForm1::FormCreate() {
  // Media, arena and help files are opened by bare name from the data folder.
  platform::SetCurrentDir(DataFolder());
  Canvas().brush = platform::Brush{platform::kBlack};
  Canvas().FillRect({0, 0, platform::kGameWidth, platform::kGameHeight});
  // The title is on screen first; the media and the other pictures load behind it.
  PaintTitle(Image1Canvas());
  platform::PresentFrame();
  InitWorld(Canvas(), Image1Canvas());
  ShowTitle();
  HelpFile = "BRAMKO.HLP";
  SCComponent1.OnWndProc = [this](TSCComponent& s, TMessage& m) { SCComponent1WndProc(s, m); };
  SCComponent1.SetWinControl();
}

void TForm1::Timer1Timer() {
  // A message box or the help opened inside a step runs the clock under it; the step that
  // opened it is still running and is not entered again (another one, such as the settings
  // dialog's music keeper, is).
  const SceneStepFn step = SceneStep;
  if (!step || std::find(runningSteps_.begin(), runningSteps_.end(), step) != runningSteps_.end()) return;
  runningSteps_.push_back(step);
  struct Leave {
    std::vector<SceneStepFn>& steps;
    ~Leave() { steps.pop_back(); }  // also when the step throws (the message loop shows it)
  } leave{runningSteps_};
  if (step() == -1) platform::CloseWindow();
}

void TForm1::FormClose() { QuitRequested = true; }

void TForm1::FormDestroy() {
  if (destroyed_) return;
  destroyed_ = true;
  ShutdownWorld();
}

void TForm1::FormPaint() {
  if (GameScreenActive && BattleHooks.repaint) BattleHooks.repaint(Canvas());
}

void TForm1::Image1MouseUp() { MouseClicked = true; }

// Key presses reach here wherever the game pumps messages: menus, maps, the pause and the
// round results. The battle's frame loop drops them and answers F1 itself. An online match
// never opens the help (not in its pause either): the other side would lose the link.
void TForm1::FormKeyDown(int vk) {
  if (vk == VK_F1_KEY && HelpMayOpen()) platform::ShowHelp(HelpFile, HelpKeyword);
}

void TForm1::SCComponent1WndProc(TSCComponent& sender, TMessage& message) {
  if (GameScreenActive) {
    // The battle screen owns the window: the system paints nothing over it.
    message.result = message.msg == platform::WindowMessage::EraseBackground ? 1 : 0;
    message.handled = true;
    return;
  }
  sender.DefWndProc(message);
}
