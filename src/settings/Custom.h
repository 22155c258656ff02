// settings: the settings dialog TForm2 ("Bramko2 for Windows カスタマイズウインドウ"): game
// speed, fang power, joystick assignment (with the devices' names) and pad options, and the
// key lists, kept in "BRAMKO.INI". The same class loads and applies the settings at start-up
// without being shown.
#pragma once
#include <functional>
#include <string>

#include "platform/ui/FormControls.h"
#include "settings/SettingsFile.h"
#include "shell/Bramkoworld.h"

class TForm2 : public TModalForm {
 public:
  TForm2();   // FormCreate
  ~TForm2();  // FormDestroy

  // Shows the dialog until OK, Cancel, Standard or its close box ends it; the modal result.
  int ShowModal();

  void FormCreate();
  void FormDestroy();
  void loadIniFile(bool withKeys);
  void loadKeyFile(bool defaults);
  void doApply();

  void btnOKClick();
  void Button3Click();  // Cancel
  void Button4Click();  // Standard
  void Button1Click();  // PLAYER 1 keys
  void Button2Click();  // PLAYER 2 keys
  void ComboBox1Change();
  void ComboBox2Change();
  void btnHELPClick();
  void btnCancelClick();
  void FormKeyDown(int& key);
  // What is plugged in as joystick 1 or 2 (index 0, 1), shown under its box.
  std::string JoystickDevice(int index) const;

  static constexpr const char* kCaption = "Bramko2 for Windows カスタマイズウインドウ";
  static constexpr int kClientWidth = 632, kClientHeight = 305;

  TRadioGroup rgSpeed, rgFangPW, rgDISPLAY;
  TComboBox ComboBox1, ComboBox2;
  TCheckBox cbPadSwap, cbPadRumble;  // our own, in the section "Linux"
  TComboBox cbScale;                 // how the window scales the picture: whole multiples, or filling it
  std::string IniPath;               // the settings file, read and written one value at a time

 private:
  StoredSettings ControlValues() const;
  void OpenKeyDialog(int player);
  bool Draw() override;

  SceneStepFn savedStep_ = nullptr;
  bool created_ = false;
};

// The "設定変更" menu item: the dialog shown modally, then destroyed.
void RunSettingsDialog();
// Start-up: the dialog created without showing it, its settings applied, destroyed again.
void ApplySettingsAtStartup();
