// battle: the replay dialogs' layouts. Clicks queue the control's handler, which runs after
// the frame (it may show a message box).
#include "battle/ReplayDialogs.h"
#include "platform/ui/DialogWidgets.h"

namespace {

using platform::dlg::Rect;

constexpr size_t kNameBytes = 64;
constexpr int kButtonW = 88, kButtonH = 26;

constexpr Rect kNameBox{8, 26, 344, 22};
constexpr int kSaveButtonsY = 62;
constexpr Rect kSaveButton{76, kSaveButtonsY, kButtonW, kButtonH};
constexpr Rect kSaveCancelButton{170, kSaveButtonsY, kButtonW, kButtonH};
constexpr Rect kSaveHelpButton{264, kSaveButtonsY, kButtonW, kButtonH};

constexpr Rect kList{8, 26, 444, 174};
constexpr int kListButtonsY = 210;
constexpr Rect kPlayButton{176, kListButtonsY, kButtonW, kButtonH};
constexpr Rect kListCancelButton{270, kListButtonsY, kButtonW, kButtonH};
constexpr Rect kListHelpButton{364, kListButtonsY, kButtonW, kButtonH};

}  // namespace

void TReplayForm::Queue(std::function<void()> handler) {
  if (!pending_) pending_ = std::move(handler);
}

bool TReplayForm::EndFrame(bool closeBox) {
  // Enter, Escape and F1 belong to the form; other keys to the control with the focus.
  for (int key : platform::dlg::KeyPresses())
    if (key == 0x0D || key == 0x1B || key == 0x70) Queue([this, key] { FormKeyDown(key); });
  if (closeBox) Queue([this] { ModalResult = mrCancel; });
  return static_cast<bool>(pending_);
}

bool TReplaySaveForm::Draw() {
  namespace dlg = platform::dlg;
  bool closeBox = false;
  if (dlg::BeginDialog(kCaption, kClientWidth, kClientHeight, &closeBox)) {
    dlg::Label("リプレイの名前", 8, 8);
    dlg::TextBox("name", &Edit1.Text, kNameBox, kNameBytes, &focusWanted_);
    if (dlg::Button("保存", kSaveButton, true)) Queue([this] { btnSaveClick(); });
    if (dlg::Button("キャンセル", kSaveCancelButton)) Queue([this] { btnCancelClick(); });
    if (dlg::Button("ヘルプ", kSaveHelpButton)) Queue([this] { btnHelpClick(); });
  }
  dlg::EndDialog();
  return EndFrame(closeBox);
}

bool TReplayListForm::Draw() {
  namespace dlg = platform::dlg;
  bool closeBox = false;
  if (dlg::BeginDialog(kCaption, kClientWidth, kClientHeight, &closeBox)) {
    dlg::Label("再生するリプレイ", 8, 8);
    dlg::ListBox("replays", ListBox1.Items, kList, &ListBox1.ItemIndex);
    if (dlg::Button("再生", kPlayButton, true)) Queue([this] { btnPlayClick(); });
    if (dlg::Button("キャンセル", kListCancelButton)) Queue([this] { btnCancelClick(); });
    if (dlg::Button("ヘルプ", kListHelpButton)) Queue([this] { btnHelpClick(); });
  }
  dlg::EndDialog();
  return EndFrame(closeBox);
}
