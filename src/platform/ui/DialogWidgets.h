// platform/ui: the controls of the game's own dialogs (group box, radio group, drop-down list,
// list box, button, label, check box and a key-capture box), drawn with Dear ImGui over the game area
// in the look of the system's dialogs, with the dialog font ("ＭＳ Ｐゴシック", 12 px).
// Headless nothing is drawn: a dialog is answered with Cancel at once.
#pragma once
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace platform::dlg {

// A rectangle in the dialog's client area, in pixels.
struct Rect {
  int x = 0, y = 0, w = 0, h = 0;
};

// Runs a modal dialog. draw() is called in every frame and draws the whole dialog
// (BeginDialog .. EndDialog); it returns true when a control queued an event. act() then
// runs outside the drawing, where it may show message boxes or open further dialogs, and
// returns the dialog's result, or 0 to stay open. While act() runs, or a dialog opened by
// it is up, the dialog stays on screen but takes no input. Closing the main window, or the
// headless backend, ends the dialog with kMsgCancel without calling act().
int RunDialog(const std::function<bool()>& draw, const std::function<int()>& act);

// --- inside draw() ---

// Opens the dialog window, centred over the game area when it appears. *closeClicked is
// set when the caption's close box was clicked. Call EndDialog whatever it returns.
bool BeginDialog(const std::string& title, int clientWidth, int clientHeight, bool* closeClicked);
void EndDialog();

void GroupBox(const std::string& caption, Rect r);
void Label(const std::string& text, int x, int y);
// A label cut at the rectangle's width, ending in "..." when it did not fit.
void Label(const std::string& text, Rect r);
// A check box with its caption to the right of the box; true when the user toggled it.
bool CheckBox(const std::string& caption, Rect r, bool* checked);
// Buttons report a click; the default button carries the dark outer frame.
bool Button(const std::string& caption, Rect r, bool isDefault = false);
// A captioned group of radio buttons in columns (items run down each column first).
// *index is the selected item (-1: none); true when the user picked an item.
bool RadioGroup(const std::string& caption, const std::vector<std::string>& items, int columns, Rect r, int* index);
// A drop-down list; true when the user picked an item (*index then holds it).
bool ComboBox(const std::string& id, const std::vector<std::string>& items, Rect r, int* index);
// A list box with one selectable line per item; true when the user clicked a line.
bool ListBox(const std::string& id, const std::vector<std::string>& lines, Rect r, int* selected);
// A read-only view of lines in a sunken field, with a scroll bar when they do not fit.
void TextView(const std::string& id, const std::vector<std::string>& lines, Rect r);
// Scrolls a list box or text view by a number of lines (negative: up).
void ScrollLines(const std::string& id, int lines);
// Scrolls a list box or text view at its next drawing so that the line is in view.
void ScrollListTo(const std::string& id, int line);
// Width of a text in the dialog font, and the height of one line of a list or text view.
float TextWidth(std::string_view text);
int LineHeight();
// A one-line box showing text, with a caret while focused; true when it was clicked.
bool KeyBox(const std::string& id, const std::string& text, Rect r, bool focused);
// An edit box for a line of text (UTF-8, at most maxBytes), typed into while it has the
// keyboard focus; while *takeFocus is set it takes the focus (and clears the flag once it
// has it). True when the text changed.
bool TextBox(const std::string& id, std::string* text, Rect r, size_t maxBytes, bool* takeFocus);
// A dialog whose look changes without input (it waits on a link, a clock) asks to be drawn
// again within ms; otherwise it is drawn again only after input.
void DrawAgainWithin(uint32_t ms);
// Virtual-key codes pressed since the previous frame, for the dialog that takes input
// (empty for one beneath another dialog or a message box).
std::vector<int> KeyPresses();

}  // namespace platform::dlg
