// settings: the settings dialog's layout. Clicks queue the control's handler, which runs
// after the frame (it may show messages or open the key dialog).
#include "platform/ui/DialogWidgets.h"
#include "settings/Custom.h"

namespace {

using platform::dlg::Rect;

constexpr Rect kGameGroup{8, 6, 616, 120};
constexpr Rect kSpeedRadio{18, 26, 596, 44};
constexpr Rect kFangRadio{18, 74, 596, 44};
constexpr Rect kKeyGroup{8, 134, 616, 118};
constexpr Rect kPlayer1Button{24, 158, 160, 26};
constexpr Rect kPlayer2Button{24, 206, 160, 26};
constexpr Rect kJoy1Combo{420, 160, 170, 21};
constexpr Rect kJoy2Combo{420, 208, 170, 21};
constexpr int kJoyLabelX = 334;
// The device of each box under it; the pad options between the key buttons and the boxes.
constexpr Rect kJoy1Device{422, 183, 168, 16};
constexpr Rect kJoy2Device{422, 231, 168, 16};
constexpr Rect kPadSwapCheck{194, 160, 136, 21};
constexpr Rect kPadRumbleCheck{194, 208, 136, 21};
constexpr Rect kDisplayRadio{8, 206, 300, 40};  // hidden
constexpr Rect kScaleCombo{50, 270, 180, 21};
constexpr int kScaleLabelX = 12;
constexpr int kButtonsY = 268, kButtonW = 88, kButtonH = 26;
constexpr Rect kOkButton{248, kButtonsY, kButtonW, kButtonH};
constexpr Rect kCancelButton{342, kButtonsY, kButtonW, kButtonH};
constexpr Rect kStandardButton{436, kButtonsY, kButtonW, kButtonH};
constexpr Rect kHelpButton{530, kButtonsY, kButtonW, kButtonH};

}  // namespace

bool TForm2::Draw() {
  namespace dlg = platform::dlg;
  auto queue = [this](void (TForm2::*handler)()) {
    if (!pending_) pending_ = [this, handler] { (this->*handler)(); };
  };
  bool closeBox = false;
  if (dlg::BeginDialog(kCaption, kClientWidth, kClientHeight, &closeBox)) {
    dlg::GroupBox("難易度調整", kGameGroup);
    dlg::RadioGroup(rgSpeed.Caption, rgSpeed.Items, rgSpeed.Columns, kSpeedRadio, &rgSpeed.ItemIndex);
    dlg::RadioGroup(rgFangPW.Caption, rgFangPW.Items, rgFangPW.Columns, kFangRadio, &rgFangPW.ItemIndex);

    dlg::GroupBox("キーカスタマイズ", kKeyGroup);
    if (dlg::Button("PLAYER 1", kPlayer1Button)) queue(&TForm2::Button1Click);
    if (dlg::Button("PLAYER 2", kPlayer2Button)) queue(&TForm2::Button2Click);
    dlg::Label("JOYSTICK1", kJoyLabelX, kJoy1Combo.y + 4);
    if (dlg::ComboBox("joy1", ComboBox1.Items, kJoy1Combo, &ComboBox1.ItemIndex)) queue(&TForm2::ComboBox1Change);
    dlg::Label("JOYSTICK2", kJoyLabelX, kJoy2Combo.y + 4);
    if (dlg::ComboBox("joy2", ComboBox2.Items, kJoy2Combo, &ComboBox2.ItemIndex)) queue(&TForm2::ComboBox2Change);
    dlg::Label(JoystickDevice(0), kJoy1Device);
    dlg::Label(JoystickDevice(1), kJoy2Device);
    dlg::CheckBox(cbPadSwap.Caption, kPadSwapCheck, &cbPadSwap.Checked);
    dlg::CheckBox(cbPadRumble.Caption, kPadRumbleCheck, &cbPadRumble.Checked);
    if (rgDISPLAY.Visible)
      dlg::RadioGroup(rgDISPLAY.Caption, rgDISPLAY.Items, rgDISPLAY.Columns, kDisplayRadio, &rgDISPLAY.ItemIndex);

    dlg::Label("画面", kScaleLabelX, kScaleCombo.y + 4);
    dlg::ComboBox("scale", cbScale.Items, kScaleCombo, &cbScale.ItemIndex);

    if (dlg::Button("OK", kOkButton, true)) queue(&TForm2::btnOKClick);
    if (dlg::Button("キャンセル", kCancelButton)) queue(&TForm2::Button3Click);
    if (dlg::Button("標準", kStandardButton)) queue(&TForm2::Button4Click);
    if (dlg::Button("ヘルプ", kHelpButton)) queue(&TForm2::btnHELPClick);
  }
  dlg::EndDialog();
  for (int key : dlg::KeyPresses()) {
    FormKeyDown(key);                             // the form sees every key first
    if (key == 13) queue(&TForm2::btnOKClick);    // Enter presses the default button
    if (key == 27) queue(&TForm2::Button3Click);  // Escape presses キャンセル: nothing is saved
  }
  // The caption's close box ends the dialog as Cancel, without reloading anything.
  if (closeBox && !pending_) pending_ = [this] { ModalResult = mrCancel; };
  return static_cast<bool>(pending_);
}
