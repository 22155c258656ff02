// battle: the replay dialogs' layouts. Clicks queue the control's handler, which runs after
// the frame (it may show a message box).
#include "battle/ReplayDialogs.h"
#include "platform/DialogWidgets.h"

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

// Enter, Escape and F1 belong to the form; other keys to the control with the focus.
bool IsFormKey(int key) { return key == 0x0D || key == 0x1B || key == 0x70; }

// Queues a handler of the form once per frame; the first click wins.
template <class Form>
auto Queuer(Form* form, std::function<void()>& pending) {
  return [form, &pending](void (Form::*handler)()) {
    if (!pending) pending = [form, handler] { (form->*handler)(); };
  };
}

}  // namespace

bool TReplaySaveForm::Draw() {
  namespace dlg = platform::dlg;
  auto queue = Queuer(this, pending_);
  bool closeBox = false;
  if (dlg::BeginDialog(kCaption, kClientWidth, kClientHeight, &closeBox)) {
    dlg::Label("リプレイの名前", 8, 8);
    dlg::TextBox("name", &Edit1.Text, kNameBox, kNameBytes, &focusWanted_);
    if (dlg::Button("保存", kSaveButton, true)) queue(&TReplaySaveForm::btnSaveClick);
    if (dlg::Button("キャンセル", kSaveCancelButton)) queue(&TReplaySaveForm::btnCancelClick);
    if (dlg::Button("ヘルプ", kSaveHelpButton)) queue(&TReplaySaveForm::btnHelpClick);
  }
  dlg::EndDialog();
  for (int key : dlg::KeyPresses())
    if (IsFormKey(key) && !pending_) pending_ = [this, key] { FormKeyDown(key); };
  if (closeBox && !pending_) pending_ = [this] { ModalResult = mrCancel; };
  return static_cast<bool>(pending_);
}

bool TReplayListForm::Draw() {
  namespace dlg = platform::dlg;
  auto queue = Queuer(this, pending_);
  bool closeBox = false;
  if (dlg::BeginDialog(kCaption, kClientWidth, kClientHeight, &closeBox)) {
    dlg::Label("再生するリプレイ", 8, 8);
    dlg::ListBox("replays", ListBox1.Items, kList, &ListBox1.ItemIndex);
    if (dlg::Button("再生", kPlayButton, true)) queue(&TReplayListForm::btnPlayClick);
    if (dlg::Button("キャンセル", kListCancelButton)) queue(&TReplayListForm::btnCancelClick);
    if (dlg::Button("ヘルプ", kListHelpButton)) queue(&TReplayListForm::btnHelpClick);
  }
  dlg::EndDialog();
  for (int key : dlg::KeyPresses())
    if (IsFormKey(key) && !pending_) pending_ = [this, key] { FormKeyDown(key); };
  if (closeBox && !pending_) pending_ = [this] { ModalResult = mrCancel; };
  return static_cast<bool>(pending_);
}
