// settings: the key customize dialog TForm3 ("Bramko2 for Windows　キーカスタマイズウインドウ").
// It edits the key table in place, one player and key function at a time; only the settings
// dialog's OK or Standard writes the table to the settings file.
#pragma once
#include <functional>
#include <string>

#include "platform/ui/FormControls.h"

class TForm2;

class TForm3 : public TModalForm {
 public:
  explicit TForm3(TForm2* owner);  // FormCreate

  // Shows the dialog (FormShow first) until OK, Cancel, Standard or its close box.
  int ShowModal();

  void FormCreate();
  void FormShow();
  void rgClick();
  void ComboBox1Change();
  void Edit1KeyDown(int& key);
  void Edit1KeyPress(char& key);
  void Button1Click();  // register
  void Button2Click();  // delete
  void btnOKClick();
  void Button3Click();  // Cancel
  void Button4Click();  // Standard
  void btnHelpClick();
  void FormKeyDown(int& key);

  // The line shown for a virtual-key code: "LEFT : (KEYCODE 37)".
  static std::string keyCodeText(int code);

  static constexpr const char* kCaption = "Bramko2 for Windows　キーカスタマイズウインドウ";
  static constexpr int kClientWidth = 466, kClientHeight = 225;

  TComboBox ComboBox1;  // the player row
  TRadioGroup rg;       // the key function
  TEdit Edit1;          // Tag: the captured code, -1 until a key was pressed
  TListBox ListBox1;    // one line per code of the selected list
  bool Edit1Focused = false;

 private:
  void RefreshList();
  bool Draw() override;

  TForm2* owner_;
};
