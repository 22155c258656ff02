// shell: main window and its event handlers.
#include "shell/Unit1.h"

#include "platform/Dialogs.h"
#include "platform/Display.h"
#include "platform/Files.h"
#include "platform/IniFile.h"
#include "platform/Platform.h"
#include "platform/Window.h"
#include "shell/Bramkoworld.h"
#include "shell/Drawing.h"
#include "shell/Game.h"
#include "shell/GameMedia.h"

TForm1* Form1 = nullptr;
void (*ShowSettingsDialog)() = nullptr;
void (*ApplyStoredSettings)() = nullptr;
void (*SaveProgressHook)() = nullptr;

namespace {

void PumpWindowMessages() { platform::Service(); }

}  // namespace

std::string SettingsFilePath() { return platform::ExecutableDir() + "BRAMKO.INI"; }

TForm1::TForm1() {
  Form1 = this;
  GameInput1.SetInputMode(imJoyStick1);
  GameInput1.SetAutoUpdate(true);
  JoystickInput = &GameInput1;
  platform::CreateMainWindow("Bramko2 for Windows");
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
       {{"保存", [] { if (SaveProgressHook) SaveProgressHook(); }},
        {"-", nullptr},
        {"終了(&X)", [] { platform::CloseWindow(); }}}},
      {"設定",
       {{"設定変更", [] {
           if (!ShowSettingsDialog) return;
           ShowSettingsDialog();
           WaitRelease();  // the key that closed the dialog is not for the game
         }}}},
      {"ヘルプ(&H)", {{"ヘルプ", [] { platform::ShowHelp(HelpFile, ""); }}}},
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
  platform::SetCurrentDir(platform::ExecutableDir());
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
  if (SceneStep && SceneStep() == -1) platform::CloseWindow();
}

void TForm1::FormClose() { QuitRequested = true; }

void TForm1::FormDestroy() {
  if (destroyed_) return;
  destroyed_ = true;
  ShutdownWorld();
}

void TForm1::FormPaint() {
  if (GameScreenActive) PaintBattleScreen(Canvas());
}

void TForm1::Image1MouseUp() { MouseClicked = true; }

void TForm1::FormKeyDown(int vk) {
  // During a battle the round loop polls F1 itself; answering here as well would open the
  // help twice, since this platform hands every key press to the window at once.
  if (vk != VK_F1_KEY || GameScreenActive) return;
  platform::ShowHelp(HelpFile, HelpKeyword);
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
