// platform: message boxes, modal dialogs and the help viewer, drawn with Dear ImGui over
// the game area. Each runs its own loop and returns when it is closed; meanwhile it has the
// input (InputHeld) and the scene timer runs on. Headless, a message box is written to stderr
// and answered at once, a modal dialog is answered with Cancel, and the help stays open until
// Escape goes down.
#pragma once
#include <functional>
#include <string>

namespace platform {

enum class MsgButtons { Ok, YesNo, OkCancel };
enum MsgResult { kMsgOk = 1, kMsgCancel = 2, kMsgYes = 6, kMsgNo = 7 };

int ShowMessage(const std::string& caption, const std::string& text, MsgButtons buttons = MsgButtons::Ok);

// A modal dialog: drawFrame is called once per frame inside an ImGui frame and returns 0
// to stay open or the dialog's result. The scene timer keeps ticking meanwhile.
// Headless, returns kMsgCancel at once without drawing.
int RunModal(const std::function<int()>& drawFrame);

// The help viewer: shows the help file at a keyword's section, or at its contents when the
// keyword is empty or has none; returns when the viewer is closed.
void ShowHelp(const std::string& helpFile, const std::string& keyword);
// What the help viewer last opened (file and keyword), for tests.
std::string LastHelpRequest();

}  // namespace platform
