// settings: the key customize dialog's layout. Keys go to the edit box while it has the
// focus; a click on any other control takes the focus from it.
#include "platform/ui/DialogWidgets.h"
#include "settings/Keycfg.h"

namespace {

using platform::dlg::Rect;

constexpr Rect kPlayerCombo{8, 8, 130, 21};
constexpr Rect kFunctionRadio{8, 36, 170, 146};
constexpr int kLabel2Y = 10, kLabel1Y = 60, kRightX = 190;
constexpr Rect kEdit{kRightX, 26, 190, 21};
constexpr Rect kRegisterButton{388, 24, 70, 25};
constexpr Rect kList{kRightX, 76, 190, 108};  // eight whole lines
constexpr Rect kDeleteButton{388, 76, 70, 25};
constexpr int kButtonsY = 192, kButtonW = 80, kButtonH = 25;
constexpr Rect kOkButton{114, kButtonsY, kButtonW, kButtonH};
constexpr Rect kCancelButton{202, kButtonsY, kButtonW, kButtonH};
constexpr Rect kStandardButton{290, kButtonsY, kButtonW, kButtonH};
constexpr Rect kHelpButton{378, kButtonsY, kButtonW, kButtonH};

}  // namespace

bool TForm3::Draw() {
  namespace dlg = platform::dlg;
  auto queue = [this](void (TForm3::*handler)()) {
    if (!pending_) pending_ = [this, handler] { (this->*handler)(); };
  };
  // A click on a control other than the edit box moves the focus to that control.
  auto clicked = [this](bool c) {
    if (c) Edit1Focused = false;
    return c;
  };
  bool closeBox = false;
  if (dlg::BeginDialog(kCaption, kClientWidth, kClientHeight, &closeBox)) {
    if (clicked(dlg::ComboBox("player", ComboBox1.Items, kPlayerCombo, &ComboBox1.ItemIndex)))
      queue(&TForm3::ComboBox1Change);
    if (clicked(dlg::RadioGroup(rg.Caption, rg.Items, rg.Columns, kFunctionRadio, &rg.ItemIndex)))
      queue(&TForm3::rgClick);

    dlg::Label("新しいキーを入力してください", kRightX, kLabel2Y);
    if (dlg::KeyBox("key", Edit1.Text, kEdit, Edit1Focused)) Edit1Focused = true;
    if (clicked(dlg::Button("登録", kRegisterButton))) queue(&TForm3::Button1Click);

    dlg::Label("左記の機能に対応するキー一覧", kRightX, kLabel1Y);
    clicked(dlg::ListBox("keys", ListBox1.Items, kList, &ListBox1.ItemIndex));
    if (clicked(dlg::Button("削除", kDeleteButton))) queue(&TForm3::Button2Click);

    if (clicked(dlg::Button("OK", kOkButton))) queue(&TForm3::btnOKClick);
    if (clicked(dlg::Button("キャンセル", kCancelButton))) queue(&TForm3::Button3Click);
    if (clicked(dlg::Button("標準", kStandardButton))) queue(&TForm3::Button4Click);
    if (clicked(dlg::Button("ヘルプ", kHelpButton))) queue(&TForm3::btnHelpClick);
  }
  dlg::EndDialog();
  for (int key : dlg::KeyPresses()) {
    FormKeyDown(key);  // the form sees every key first
    if (key != 0 && Edit1Focused) Edit1KeyDown(key);
  }
  // The caption's close box ends the dialog as Cancel, without reloading anything.
  if (closeBox && !pending_) pending_ = [this] { ModalResult = mrCancel; };
  return static_cast<bool>(pending_);
}
