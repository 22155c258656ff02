// settings: the key customize dialog's rules: the list of one player's key function, keys
// added by pressing them, duplicates refused, removal, and the closing buttons. Its drawing
// lives in KeycfgView.cpp.
#include "settings/Keycfg.h"

#include "platform/ui/DialogWidgets.h"
#include "platform/Dialogs.h"
#include "platform/Input.h"
#include "platform/Translate.h"
#include "settings/Custom.h"
#include "input/KeyTable.h"
#include "shell/Bramkoworld.h"

namespace {

const char* const kAppTitle = "Bramko2 for Windows";
const char* const kHelpKeyword = "キーカスタマイズウィンドウ";
constexpr int kF1 = 112;

// Keys the game answers itself, whoever holds them: Escape (pause, back), F1 (help), F3 (the
// online match's link line), F4 (give up), F11 (fullscreen) and Alt (Alt+Enter, Alt+F, Alt+H;
// either Alt, as each is also read as the generic one). A game key among them would do both.
bool ReservedKey(int code) {
  switch (code) {
    case 0x1B:
    case 0x70:
    case 0x72:
    case 0x73:
    case 0x7A:
    case 0x12:
    case 0xA4:
    case 0xA5: return true;
    default: return false;
  }
}

}  // namespace

TForm3::TForm3(TForm2* owner) : owner_(owner) {
  ComboBox1.Items = {"PLAYER 1", "PLAYER 2"};
  rg = TRadioGroup{Tr("機能を選択してください"),
                   {Tr("上に移動"), Tr("下に移動"), Tr("左に移動"), Tr("右に移動"), Tr("決定、ファング発射"),
                    Tr("キャンセル、緊急回避")},
                   1,
                   0,
                   true};
  Edit1.Tag = -1;
  FormCreate();
}

void TForm3::FormCreate() {
  ComboBox1.ItemIndex = 0;
  rg.ItemIndex = 0;
}

std::string TForm3::keyCodeText(int code) {
  std::string name;
  switch (code) {
    case 40: name = "DOWN"; break;
    case 38: name = "UP"; break;
    case 37: name = "LEFT"; break;
    case 39: name = "RIGHT"; break;
    // Other names come from the keyboard; a code no key produces has none.
    default: name = platform::KeyName(code); break;
  }
  return name + " : (KEYCODE " + std::to_string(code) + ")";
}

void TForm3::RefreshList() {
  ListBox1.Items.clear();
  ListBox1.ItemIndex = -1;
  int row = ComboBox1.ItemIndex, function = rg.ItemIndex;
  if (row >= 0 && row < kKeyPlayerRows && function >= 0 && function < kKeyFunctionCount)
    for (int code : KeyTable::Keys(row, function)) ListBox1.Items.push_back(keyCodeText(code));
  Edit1Focused = true;
}

void TForm3::FormShow() { RefreshList(); }
void TForm3::rgClick() { RefreshList(); }
void TForm3::ComboBox1Change() { RefreshList(); }

void TForm3::Edit1KeyDown(int& key) {
  Edit1.Tag = key;
  Edit1.Text = keyCodeText(key);
  key = 0;  // consumed: nothing reaches the box as typing
}

void TForm3::Edit1KeyPress(char& key) { key = 0; }

void TForm3::Button1Click() {
  if (Edit1.Tag == -1) return;
  const int code = Edit1.Tag;
  if (ReservedKey(code)) {
    platform::ShowMessage(kAppTitle, Tr("エラー。Esc、F1、F3、F4、F11、Alt はゲームが使うキーです。"));
    return;
  }
  for (int row = 0; row < kKeyPlayerRows; ++row)
    for (int f = 0; f < kKeyFunctionCount; ++f)
      for (int used : KeyTable::Keys(row, f))
        if (used == code) {
          platform::ShowMessage(kAppTitle, Tr("エラー。すでに使われています。"));
          return;
        }
  KeyTable::AddKey(ComboBox1.ItemIndex, rg.ItemIndex, code);
  ListBox1.Items.push_back(keyCodeText(code));
  Edit1Focused = true;
}

void TForm3::Button2Click() {
  const int i = ListBox1.ItemIndex;
  if (i < 0 || i >= ListBox1.Count()) return;
  ListBox1.Items.erase(ListBox1.Items.begin() + i);
  // No line stays selected, as when the list box deletes its selected line.
  ListBox1.ItemIndex = -1;
  const int row = ComboBox1.ItemIndex, function = rg.ItemIndex;
  if (i < KeyTable::KeyCount(row, function)) KeyTable::RemoveKey(row, function, KeyTable::KeyAt(row, function, i));
}

void TForm3::btnOKClick() { ModalResult = mrOk; }

void TForm3::Button3Click() {
  owner_->loadKeyFile(false);  // every unsaved key edit is undone, earlier visits' too
  ModalResult = mrCancel;
}

void TForm3::Button4Click() {
  owner_->loadKeyFile(true);
  ModalResult = mrYes;
}

void TForm3::btnHelpClick() { platform::ShowHelp(HelpFile, kHelpKeyword); }

void TForm3::FormKeyDown(int& key) {
  if (key == kF1) btnHelpClick();  // the key stays, so the box captures F1 as well
}

int TForm3::ShowModal() {
  ModalResult = mrNone;
  FormShow();
  return RunModalLoop();
}
