// platform/ui/help: the help viewer dialog.
#include "platform/ui/help/HelpViewer.h"

#include <algorithm>
#include <map>

#include "platform/ui/DialogWidgets.h"
#include "platform/Dialogs.h"
#include "platform/ui/help/HelpText.h"
#include "platform/ui/ImGuiLayer.h"
#include "platform/ui/help/LineBreak.h"
#include "platform/Window.h"

namespace platform::ui {

namespace {

using dlg::Rect;

constexpr int kWidth = 600, kHeight = 410, kMargin = 8, kButtonsH = 23, kScrollbar = 16;
constexpr int kVkPrior = 0x21, kVkNext = 0x22, kVkEscape = 0x1B, kVkUp = 0x26, kVkDown = 0x28;

struct Viewer {
  std::string caption;
  std::vector<HelpSection> sections;
  std::vector<std::string> titles;
  int current = 0;
  int shown = -1;  // section whose lines are laid out
  std::vector<std::string> lines;
  bool close = false;

  int ListWidth() const {
    float widest = 0;
    for (const auto& t : titles) widest = std::max(widest, dlg::TextWidth(t));
    // Whole titles, the list's frame and padding, and room for its scroll bar.
    return std::min(kWidth / 2, static_cast<int>(widest) + 12 + kScrollbar);
  }

  // The section's title, a blank line, then its text broken to the view's width.
  void LayOut(int textWidth) {
    shown = current;
    const HelpSection& s = sections[static_cast<size_t>(current)];
    lines = {s.keyword, ""};
    auto body = BreakLines(s.body, static_cast<float>(textWidth), [](std::string_view t) { return dlg::TextWidth(t); });
    lines.insert(lines.end(), body.begin(), body.end());
  }

  bool Draw() {
    const int listW = ListWidth();
    const int top = kMargin + kButtonsH + 6;
    const Rect list{kMargin, top, listW, kHeight - top - kMargin};
    const Rect text{kMargin * 2 + listW, top, kWidth - listW - 3 * kMargin, list.h};
    const int before = current;
    bool closeBox = false;
    if (dlg::BeginDialog(caption, kWidth, kHeight, &closeBox)) {
      if (dlg::Button("目次", {kMargin, kMargin, 75, kButtonsH})) current = 0;
      if (dlg::Button("閉じる", {kMargin + 81, kMargin, 75, kButtonsH})) close = true;
      dlg::ListBox("help:topics", titles, list, &current);
      if (shown != current) LayOut(text.w - 8 - kScrollbar);
      dlg::TextView("help:text:" + std::to_string(current), lines, text);
    }
    dlg::EndDialog();
    const int pageLines = text.h / dlg::LineHeight() - 1;
    for (int key : dlg::KeyPresses()) {
      if (key == kVkEscape) close = true;
      if (key == kVkUp && current > 0) --current;
      if (key == kVkDown && current + 1 < static_cast<int>(titles.size())) ++current;
      if (key == kVkPrior) dlg::ScrollLines("help:text:" + std::to_string(current), -pageLines);
      if (key == kVkNext) dlg::ScrollLines("help:text:" + std::to_string(current), pageLines);
    }
    if (current != before) {
      // A newly chosen section opens at its top, with its title in view in the list.
      dlg::ScrollLines("help:text:" + std::to_string(current), -1000000);
      dlg::ScrollListTo("help:topics", current);
    }
    return close || closeBox;
  }
};

}  // namespace

void RunHelpViewer(const std::string& file, const std::string& keyword) {
  Viewer v;
  v.caption = WindowTitle().empty() ? "ヘルプ" : WindowTitle() + " ヘルプ";
  v.sections = LoadHelpFile(file);
  if (v.sections.empty()) v.sections.push_back({"ヘルプ", "ヘルプファイル " + file + " が見つかりません。"});
  for (auto& s : v.sections) {
    while (!s.body.empty() && s.body.back() == '\n') s.body.pop_back();
    v.titles.push_back(s.keyword);
    RequireGlyphs(s.keyword);
    RequireGlyphs(s.body);
  }
  v.current = FindHelpSection(v.sections, keyword);
  dlg::ScrollListTo("help:topics", v.current);
  dlg::RunDialog([&v] { return v.Draw(); }, [] { return static_cast<int>(kMsgOk); });
}

}  // namespace platform::ui
