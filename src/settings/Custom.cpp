// settings: the settings dialog's rules: loading, applying, OK, Cancel, Standard and the
// joystick boxes. Its drawing lives in CustomView.cpp.
#include "settings/Custom.h"

#include "platform/DialogWidgets.h"
#include "platform/Dialogs.h"
#include "platform/Display.h"
#include "settings/Keycfg.h"
#include "shell/Game.h"
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
  StoredSettings s = ReadStoredSettings(IniPath);
  rgSpeed.ItemIndex = s.speed;
  rgFangPW.ItemIndex = s.fangPower;
  ComboBox1.ItemIndex = s.joystick1;
  ComboBox2.ItemIndex = s.joystick2;
  rgDISPLAY.ItemIndex = s.resolution;
  ExtrasUnlocked = s.extras;
  cbScale.ItemIndex = platform::CurrentDisplayPrefs().mode == platform::ScaleMode::Fill ? 1 : 0;
  if (withKeys) loadKeyFile(false);
}

void TForm2::loadKeyFile(bool defaults) { LoadKeyLists(IniPath, defaults); }

StoredSettings TForm2::ControlValues() const {
  StoredSettings s;
  s.speed = rgSpeed.ItemIndex;
  s.fangPower = rgFangPW.ItemIndex;
  s.joystick1 = ComboBox1.ItemIndex;
  s.joystick2 = ComboBox2.ItemIndex;
  s.resolution = rgDISPLAY.ItemIndex;
  s.extras = ExtrasUnlocked;
  return s;
}

void TForm2::doApply() { ApplySettings(ControlValues()); }

void TForm2::btnOKClick() {
  doApply();  // fullscreen follows "解像度の変更" at once
  // The scale mode is the window's own setting: it applies and is kept at once.
  const platform::DisplayPrefs before = platform::CurrentDisplayPrefs();
  platform::DisplayPrefs after = before;
  after.mode = cbScale.ItemIndex == 1 ? platform::ScaleMode::Fill : platform::ScaleMode::Integer;
  platform::SetDisplayPrefs(after);
  WriteDisplayPrefs(IniPath, before, after);
  std::string error;
  if (!WriteStoredSettings(IniPath, ControlValues(), &error)) {
    // The values after the one that failed stay unwritten, and the dialog stays open.
    platform::ShowMessage(kAppTitle, error);
    return;
  }
  ModalResult = mrOk;
}

void TForm2::Button3Click() {
  loadIniFile(true);  // also undoes the key dialog's edits
  ModalResult = mrCancel;
}

void TForm2::Button4Click() {
  rgSpeed.ItemIndex = 2;
  rgFangPW.ItemIndex = 0;
  ComboBox1.ItemIndex = ComboBox2.ItemIndex = 0;
  rgDISPLAY.ItemIndex = 0;
  cbScale.ItemIndex = 0;
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
  form.doApply();
}
