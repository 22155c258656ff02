// settings: the settings dialog's rules: loading, applying, OK, Cancel, Standard and the
// joystick boxes. Its drawing lives in CustomView.cpp.
#include "settings/Custom.h"

#include "platform/ui/DialogWidgets.h"
#include "platform/Dialogs.h"
#include "platform/Display.h"
#include "platform/Input.h"
#include "settings/Keycfg.h"
#include "shell/Game.h"
#include "shell/GameFiles.h"
#include "shell/GameMedia.h"
#include "shell/Unit1.h"

namespace {

const char* const kAppTitle = "Bramko2 for Windows";
const char* const kHelpKeyword = "カスタマイズウィンドウ";
constexpr int kF1 = 112;

// While the dialog is up the scene clock only keeps the music going.
int KeepMusicStep() {
  KeepMusicLooping();
  return 0;
}

}  // namespace

TForm2::TForm2() {
  rgSpeed = TRadioGroup{"ゲーム速度", {"遅い", "ゆっくり", "ふつう", "速い"}, 4, 2, true};
  rgFangPW = TRadioGroup{"ファングパワー", {"ふつう", "やや強い", "強い", "最強"}, 4, 0, true};
  rgDISPLAY = TRadioGroup{"解像度の変更", {"しない", "する"}, 2, 0, false};
  ComboBox1.Items = ComboBox2.Items = {"NONE", "PLAYER 1", "PLAYER 2"};
  cbPadSwap.Caption = "決定/キャンセル入替";
  cbPadRumble.Caption = "被弾時にパッド振動";
  cbScale.Items = {"整数倍で拡大", "画面いっぱいに拡大"};
  IniPath = SettingsFilePath();
  FormCreate();
}

TForm2::~TForm2() { FormDestroy(); }

void TForm2::FormCreate() {
  savedStep_ = SceneStep;
  SetSceneStep(KeepMusicStep);
  InputDisabled = true;
  created_ = true;
  loadIniFile(true);
}

void TForm2::FormDestroy() {
  if (!created_) return;
  created_ = false;
  InputDisabled = false;
  SceneStep = savedStep_;  // straight back: the timer stays as it is
}

void TForm2::loadIniFile(bool withKeys) {
  const platform::IniDocument ini = platform::IniDocument::Load(IniPath);  // read once for all values
  StoredSettings s = ReadStoredSettings(ini);
  rgSpeed.ItemIndex = s.speed;
  rgFangPW.ItemIndex = s.fangPower;
  ComboBox1.ItemIndex = s.joystick1;
  ComboBox2.ItemIndex = s.joystick2;
  rgDISPLAY.ItemIndex = s.resolution;
  cbPadSwap.Checked = s.padSwapButtons;
  cbPadRumble.Checked = s.padRumble;
  ExtrasUnlocked = s.extras;
  cbScale.ItemIndex = s.scaleMode;
  if (withKeys) LoadKeyLists(ini, false);  // loadKeyFile(false) on the same reading
}

void TForm2::loadKeyFile(bool defaults) { LoadKeyLists(IniPath, defaults); }

StoredSettings TForm2::ControlValues() const {
  StoredSettings s;
  s.speed = rgSpeed.ItemIndex;
  s.fangPower = rgFangPW.ItemIndex;
  s.joystick1 = ComboBox1.ItemIndex;
  s.joystick2 = ComboBox2.ItemIndex;
  s.resolution = rgDISPLAY.ItemIndex;
  s.padSwapButtons = cbPadSwap.Checked;
  s.padRumble = cbPadRumble.Checked;
  s.scaleMode = cbScale.ItemIndex == 1 ? 1 : 0;
  s.extras = ExtrasUnlocked;
  return s;
}

void TForm2::doApply() { ApplySettings(ControlValues()); }

void TForm2::btnOKClick() {
  // Stored first, applied after: when the file cannot be written the running game keeps
  // the settings the file still holds, and the dialog stays open to try again or cancel.
  // Fullscreen ("解像度の変更") and the scale mode apply at once.
  if (!MakeFolderFor(IniPath) || !WriteStoredSettings(IniPath, ControlValues(), nullptr)) {
    platform::ShowMessage(kAppTitle, CannotWriteMessage(IniPath, "設定は変更していません。"));
    return;
  }
  doApply();
  ModalResult = mrOk;
}

void TForm2::Button3Click() {
  loadIniFile(true);  // also undoes the key dialog's edits
  ModalResult = mrCancel;
}

// Everything as on a fresh install, pads in the order they were plugged in included.
void TForm2::Button4Click() {
  const StoredSettings fresh;
  rgSpeed.ItemIndex = fresh.speed;
  rgFangPW.ItemIndex = fresh.fangPower;
  ComboBox1.ItemIndex = fresh.joystick1;
  ComboBox2.ItemIndex = fresh.joystick2;
  rgDISPLAY.ItemIndex = fresh.resolution;
  cbPadSwap.Checked = fresh.padSwapButtons;
  cbPadRumble.Checked = fresh.padRumble;
  cbScale.ItemIndex = fresh.scaleMode;
  loadKeyFile(true);
  btnOKClick();
}

void TForm2::OpenKeyDialog(int player) {
  TForm3 keys(this);
  keys.ComboBox1.ItemIndex = player;
  keys.ShowModal();
}

void TForm2::Button1Click() { OpenKeyDialog(0); }
void TForm2::Button2Click() { OpenKeyDialog(1); }

// One joystick per player: picking a player for one box takes it from the other.
void TForm2::ComboBox1Change() {
  if ((ComboBox1.ItemIndex == 1 || ComboBox1.ItemIndex == 2) && ComboBox2.ItemIndex == ComboBox1.ItemIndex)
    ComboBox2.ItemIndex = 0;
}

void TForm2::ComboBox2Change() {
  if ((ComboBox2.ItemIndex == 1 || ComboBox2.ItemIndex == 2) && ComboBox1.ItemIndex == ComboBox2.ItemIndex)
    ComboBox1.ItemIndex = 0;
}

std::string TForm2::JoystickDevice(int index) const {
  std::string name = platform::JoyName(index);
  return name.empty() ? "（未接続）" : name;
}

void TForm2::btnHELPClick() { platform::ShowHelp(HelpFile, kHelpKeyword); }
void TForm2::btnCancelClick() { ModalResult = mrCancel; }

void TForm2::FormKeyDown(int& key) {
  if (key == kF1) btnHELPClick();
}

int TForm2::ShowModal() {
  ModalResult = mrNone;
  return RunModalLoop();
}

void RunSettingsDialog() {
  TForm2 form;
  form.ShowModal();
}

void ApplySettingsAtStartup() {
  TForm2 form;
  LoadPadMappings(form.IniPath);
  form.doApply();
}
