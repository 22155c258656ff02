// platform/ui: the message box dialog.
#include "platform/ui/MessageBox.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "platform/ui/DialogWidgets.h"
#include "platform/ui/ImGuiLayer.h"
#include "platform/ui/help/LineBreak.h"

namespace platform::ui {

namespace {

using dlg::Rect;

constexpr int kMargin = 14, kButtonW = 75, kButtonH = 23, kButtonGap = 6;
constexpr int kTextWidth = 420;    // longer lines are broken
constexpr int kCaptionExtra = 48;  // the caption's padding and its close box
constexpr int kVkEnter = 0x0D, kVkEscape = 0x1B;

struct Answer {
  const char* caption;
  int result;
};

std::vector<Answer> AnswersFor(MsgButtons buttons) {
  switch (buttons) {
    case MsgButtons::YesNo: return {{"はい", kMsgYes}, {"いいえ", kMsgNo}};
    case MsgButtons::OkCancel: return {{"OK", kMsgOk}, {"キャンセル", kMsgCancel}};
    case MsgButtons::Ok: break;
  }
  return {{"OK", kMsgOk}};
}

}  // namespace

int RunMessageBox(const std::string& caption, const std::string& text, MsgButtons buttons) {
  RequireGlyphs(caption);
  RequireGlyphs(text);
  const std::vector<Answer> answers = AnswersFor(buttons);
  std::vector<std::string> lines;
  int width = 0, height = 0;
  int result = 0;
  auto draw = [&]() -> bool {
    if (lines.empty()) {
      // Laid out in the first frame, once the atlas holds the text's characters.
      lines = BreakLines(text, kTextWidth, [](std::string_view t) { return dlg::TextWidth(t); });
      float widest = 0;
      for (const auto& l : lines) widest = std::max(widest, dlg::TextWidth(l));
      const int buttonsW = static_cast<int>(answers.size()) * (kButtonW + kButtonGap) - kButtonGap;
      width = std::max({static_cast<int>(std::ceil(widest)), buttonsW,
                        static_cast<int>(dlg::TextWidth(caption)) + kCaptionExtra - 2 * kMargin}) +
              2 * kMargin;
      height = kMargin + static_cast<int>(lines.size()) * dlg::LineHeight() + kMargin + kButtonH + kMargin - 2;
    }
    bool closeBox = false;
    if (dlg::BeginDialog(caption, width, height, &closeBox)) {
      int y = kMargin;
      for (const auto& l : lines) {
        dlg::Label(l, kMargin, y);
        y += dlg::LineHeight();
      }
      const int buttonsW = static_cast<int>(answers.size()) * (kButtonW + kButtonGap) - kButtonGap;
      int x = (width - buttonsW) / 2;
      const int buttonY = height - kMargin - kButtonH + 2;
      for (size_t i = 0; i < answers.size(); ++i) {
        if (dlg::Button(answers[i].caption, {x, buttonY, kButtonW, kButtonH}, i == 0)) result = answers[i].result;
        x += kButtonW + kButtonGap;
      }
    }
    dlg::EndDialog();
    for (int key : dlg::KeyPresses()) {
      if (key == kVkEnter && !result) result = answers.front().result;
      if (key == kVkEscape && !result) result = answers.back().result;
    }
    if (closeBox && !result) result = answers.back().result;
    return result != 0;
  };
  const int r = dlg::RunDialog(draw, [&result] { return result; });
  return r == kMsgCancel && buttons != MsgButtons::OkCancel ? answers.back().result : r;
}

}  // namespace platform::ui
