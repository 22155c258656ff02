// platform/ui: the message box of the real window, in the look of the game's dialogs: the
// caption in full, the text broken into lines by the rules of Japanese text, the buttons
// centred below. Enter answers with the first button, Escape with the last.
#pragma once
#include <string>

#include "platform/Dialogs.h"

namespace platform::ui {

int RunMessageBox(const std::string& caption, const std::string& text, MsgButtons buttons);

}  // namespace platform::ui
