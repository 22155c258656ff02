// platform/ui/help: the help viewer of the real window, a modal dialog in the look of the game's
// other dialogs: the list of sections on the left, the chosen one's text on the right,
// broken into lines by the rules of Japanese text. Escape or "閉じる" closes it.
#pragma once
#include <string>

namespace platform::ui {

// Shows the help file at the keyword's section (the contents when it has none) and returns
// once the viewer is closed.
void RunHelpViewer(const std::string& file, const std::string& keyword);

}  // namespace platform::ui
