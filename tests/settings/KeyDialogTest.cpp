// The key customize dialog without a window: its list lines, key capture, registering with
// duplicates and the game's own keys refused, deleting, and what its Cancel and Standard do
// to the key table.
#include "settings/Custom.h"
#include "settings/Keycfg.h"
#include "SettingsKit.h"

namespace {

using KeyDialog = SettingsDialogFixture;

const char* const kFile =
    "[キーカスタマイズ　PLAYER1]\n"
    "KEY_FUNC1=65,66,67,\n"
    "KEY_FUNC3=\n";

void Press(TForm3& form, int code) {
  int key = code;
  form.FormKeyDown(key);
  if (key != 0 && form.Edit1Focused) form.Edit1KeyDown(key);
}

TEST_F(KeyDialog, LinesNameTheArrowsAndOtherKeysByTheKeyboardWithTheCode) {
  EXPECT_EQ(TForm3::keyCodeText(37), "LEFT : (KEYCODE 37)");
  EXPECT_EQ(TForm3::keyCodeText(38), "UP : (KEYCODE 38)");
  EXPECT_EQ(TForm3::keyCodeText(39), "RIGHT : (KEYCODE 39)");
  EXPECT_EQ(TForm3::keyCodeText(40), "DOWN : (KEYCODE 40)");
  EXPECT_EQ(TForm3::keyCodeText(71), "G : (KEYCODE 71)");
  EXPECT_EQ(TForm3::keyCodeText(13), platform::KeyName(13) + " : (KEYCODE 13)");
  EXPECT_FALSE(platform::KeyName(13).empty());
  // A code no key produces has no name.
  EXPECT_EQ(TForm3::keyCodeText(7), " : (KEYCODE 7)");
}

TEST_F(KeyDialog, ShowingListsTheSelectedPlayersFunctionAndSwitchingRefreshesIt) {
  WriteTextFile(ini_, kFile);
  TForm2 settings;
  TForm3 form(&settings);
  EXPECT_EQ(form.ComboBox1.ItemIndex, 0);
  EXPECT_EQ(form.rg.ItemIndex, 0);
  EXPECT_EQ(form.Edit1.Tag, -1);
  form.ComboBox1.ItemIndex = 1;  // the settings dialog asks for PLAYER 2
  form.FormShow();
  ASSERT_EQ(form.ListBox1.Count(), 2);
  EXPECT_EQ(form.ListBox1.Items[1], "UP : (KEYCODE 38)");
  EXPECT_TRUE(form.Edit1Focused);

  Press(form, 'Q');
  EXPECT_EQ(form.Edit1.Tag, 'Q');
  EXPECT_EQ(form.Edit1.Text, "Q : (KEYCODE 81)");
  form.Edit1Focused = false;  // a click elsewhere
  form.ComboBox1.ItemIndex = 0;
  form.ComboBox1Change();
  EXPECT_EQ(form.ListBox1.Items,
            (std::vector<std::string>{"A : (KEYCODE 65)", "B : (KEYCODE 66)", "C : (KEYCODE 67)"}));
  EXPECT_TRUE(form.Edit1Focused);
  form.rg.ItemIndex = kfLeft;
  form.rgClick();
  EXPECT_TRUE(form.ListBox1.Items.empty());
  EXPECT_EQ(form.Edit1.Tag, 'Q');  // the captured key stays
}

TEST_F(KeyDialog, KeysAreCapturedWhileTheBoxHasTheFocusF1AlsoOpensHelp) {
  TForm2 settings;
  TForm3 form(&settings);
  form.FormShow();
  Press(form, 112);
  EXPECT_EQ(form.Edit1.Tag, 112);
  EXPECT_EQ(platform::LastHelpRequest(), "BRAMKO.HLP#キーカスタマイズウィンドウ");
  form.Edit1Focused = false;
  Press(form, 'W');
  EXPECT_EQ(form.Edit1.Tag, 112);
  int key = 'W';
  form.Edit1KeyDown(key);
  EXPECT_EQ(key, 0);  // consumed
  char typed = 'w';
  form.Edit1KeyPress(typed);
  EXPECT_EQ(typed, 0);
  platform::ShowHelp("other", "");
  form.btnHelpClick();
  EXPECT_EQ(platform::LastHelpRequest(), "BRAMKO.HLP#キーカスタマイズウィンドウ");
}

TEST_F(KeyDialog, RegisteringAppendsAFreeKeyAndRefusesOneUsedAnywhere) {
  WriteTextFile(ini_, kFile);
  TForm2 settings;
  TForm3 form(&settings);
  form.FormShow();
  size_t messages = MessageCount();
  form.Button1Click();  // nothing captured yet
  EXPECT_EQ(KeyTable::KeyCount(0, kfUp), 3);
  EXPECT_EQ(MessageCount(), messages);

  Press(form, 'Q');
  form.Edit1Focused = false;  // the click on the button took the focus
  form.Button1Click();
  EXPECT_EQ(KeyTable::Keys(0, kfUp), Codes({65, 66, 67, 81}));
  ASSERT_EQ(form.ListBox1.Count(), 4);
  EXPECT_EQ(form.ListBox1.Items[3], "Q : (KEYCODE 81)");
  EXPECT_TRUE(form.Edit1Focused);
  EXPECT_EQ(MessageCount(), messages);

  form.Button1Click();  // the same key again
  ASSERT_EQ(MessageCount(), messages + 1);
  EXPECT_NE(LastMessage().find("エラー。すでに使われています。"), std::string::npos);
  EXPECT_EQ(KeyTable::KeyCount(0, kfUp), 4);
  EXPECT_EQ(form.ListBox1.Count(), 4);

  Press(form, 37);  // player 2's left
  form.rg.ItemIndex = kfLeft;
  form.rgClick();
  form.Button1Click();
  EXPECT_EQ(MessageCount(), messages + 2);
  EXPECT_TRUE(KeyTable::Keys(0, kfLeft).empty());
  EXPECT_EQ(KeyTable::Keys(1, kfLeft), Codes({100, 37}));
}

// A game key the game answers itself would pause, help, show the link line, give up or switch the
// screen too.
TEST_F(KeyDialog, KeysTheGameReservesAreCapturedButRefusedWithTheDialogsError) {
  WriteTextFile(ini_, kFile);
  TForm2 settings;
  TForm3 form(&settings);
  form.FormShow();
  const size_t messages = MessageCount();
  size_t refused = 0;
  // Escape, F1, F3, F4, F11, and Alt as the generic, left and right key.
  for (int code : {0x1B, 0x70, 0x72, 0x73, 0x7A, 0x12, 0xA4, 0xA5}) {
    form.Edit1Focused = true;
    Press(form, code);
    EXPECT_EQ(form.Edit1.Tag, code);
    form.Button1Click();
    EXPECT_EQ(MessageCount(), messages + ++refused) << code;
    EXPECT_NE(LastMessage().find("エラー。Esc、F1、F3、F4、F11、Alt はゲームが使うキーです。"), std::string::npos);
  }
  EXPECT_EQ(KeyTable::Keys(0, kfUp), Codes({65, 66, 67}));
  EXPECT_EQ(form.ListBox1.Count(), 3);
  Press(form, 0x71);  // F2 is no key of the game's own
  form.Button1Click();
  EXPECT_EQ(KeyTable::Keys(0, kfUp), Codes({65, 66, 67, 0x71}));
}

TEST_F(KeyDialog, DeletingRemovesExactlyTheSelectedPosition) {
  WriteTextFile(ini_, kFile);
  TForm2 settings;
  TForm3 form(&settings);
  form.FormShow();
  form.Button2Click();  // no line selected
  EXPECT_EQ(KeyTable::KeyCount(0, kfUp), 3);
  form.ListBox1.ItemIndex = 1;
  form.Button2Click();
  EXPECT_EQ(KeyTable::Keys(0, kfUp), Codes({65, 67}));
  EXPECT_EQ(form.ListBox1.Items, (std::vector<std::string>{"A : (KEYCODE 65)", "C : (KEYCODE 67)"}));
  EXPECT_EQ(form.ListBox1.ItemIndex, -1);
  form.Button2Click();
  EXPECT_EQ(KeyTable::KeyCount(0, kfUp), 2);
}

TEST_F(KeyDialog, CancelReloadsTheFileStandardLoadsDefaultsAndTheSettingsCancelUndoesBoth) {
  WriteTextFile(ini_, kFile);
  TForm2 settings;
  {
    TForm3 form(&settings);
    form.FormShow();
    form.ListBox1.ItemIndex = 0;
    form.Button2Click();
    form.btnOKClick();
    EXPECT_EQ(form.ModalResult, mrOk);
  }
  EXPECT_EQ(KeyTable::Keys(0, kfUp), Codes({66, 67}));  // OK keeps the edit in the table
  {
    TForm3 form(&settings);
    form.ComboBox1.ItemIndex = 1;
    form.FormShow();
    form.ListBox1.ItemIndex = 0;
    form.Button2Click();
    form.Button3Click();
    EXPECT_EQ(form.ModalResult, mrCancel);
  }
  // Cancel undoes this visit's edit and the earlier one.
  EXPECT_EQ(KeyTable::Keys(0, kfUp), Codes({65, 66, 67}));
  EXPECT_EQ(KeyTable::Keys(1, kfUp), KeyTable::DefaultKeys(1, kfUp));
  {
    TForm3 form(&settings);
    form.Button4Click();
    EXPECT_EQ(form.ModalResult, mrYes);
  }
  EXPECT_EQ(KeyTable::Keys(0, kfUp), KeyTable::DefaultKeys(0, kfUp));
  EXPECT_EQ(KeyTable::Keys(0, kfLeft), KeyTable::DefaultKeys(0, kfLeft));
  EXPECT_EQ(Value("キーカスタマイズ　PLAYER1", "KEY_FUNC1"), "65,66,67,");  // not written
  settings.Button3Click();
  EXPECT_EQ(KeyTable::Keys(0, kfUp), Codes({65, 66, 67}));
  EXPECT_TRUE(KeyTable::Keys(0, kfLeft).empty());
}

TEST_F(KeyDialog, HeadlessTheKeyDialogClosesWithCancelAndKeepsTheTable) {
  WriteTextFile(ini_, kFile);
  TForm2 settings;
  KeyTable::AddKey(0, kfLeft, 'Q');
  TForm3 form(&settings);
  EXPECT_EQ(form.ShowModal(), mrCancel);
  // Closed like the caption's close box: no reload from the file.
  EXPECT_EQ(KeyTable::Keys(0, kfLeft), Codes({'Q'}));
  settings.Button1Click();
  settings.Button2Click();
  EXPECT_EQ(KeyTable::Keys(0, kfLeft), Codes({'Q'}));
}

}  // namespace
