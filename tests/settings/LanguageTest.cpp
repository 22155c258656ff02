// The language of the game: what decides it (--lang, the setting, the locale variables in
// their order), and the setting as the dialog keeps it in [Linux] of BRAMKO.INI: written
// only once the player picks a language, applied at OK, read back by the next run.
#include <cstdlib>
#include <optional>
#include <filesystem>

#include "platform/Translate.h"
#include "settings/Custom.h"
#include "settings/Language.h"
#include "SettingsKit.h"

namespace {

// Sets the locale variables for one check and puts the machine's back afterwards.
class LocaleVariables {
 public:
  LocaleVariables(const char* all, const char* messages, const char* lang) {
    for (int i = 0; i < 3; ++i) {
      const char* v = std::getenv(kNames[i]);
      saved_[i] = v ? std::optional<std::string>(v) : std::nullopt;
    }
    Set(kNames[0], all);
    Set(kNames[1], messages);
    Set(kNames[2], lang);
  }
  ~LocaleVariables() {
    for (int i = 0; i < 3; ++i) Set(kNames[i], saved_[i] ? saved_[i]->c_str() : nullptr);
  }

 private:
  static void Set(const char* name, const char* value) {
    if (value)
      setenv(name, value, 1);
    else
      unsetenv(name);
  }
  static constexpr const char* kNames[3] = {"LC_ALL", "LC_MESSAGES", "LANG"};
  std::optional<std::string> saved_[3];
};

TEST(Language, CommandLineThenSettingThenLocaleInTheOrderOfItsVariables) {
  const std::vector<std::string> both = {"ja", "en"};
  EXPECT_EQ(ChooseLanguage("en", "ja", "ja_JP.UTF-8", both), "en");
  EXPECT_EQ(ChooseLanguage("ja", "en", "en_US.UTF-8", both), "ja");
  EXPECT_EQ(ChooseLanguage("", "en", "ja_JP.UTF-8", both), "en");
  EXPECT_EQ(ChooseLanguage("", "ja", "de_DE.UTF-8", both), "ja");
  EXPECT_EQ(ChooseLanguage("", "", "ja_JP.UTF-8", both), "ja");
  EXPECT_EQ(ChooseLanguage("", "", "ja", both), "ja");
  EXPECT_EQ(ChooseLanguage("", "", "en_GB.UTF-8", both), "en");
  EXPECT_EQ(ChooseLanguage("", "", "C.UTF-8", both), "en");
  EXPECT_EQ(ChooseLanguage("", "", "", both), "en");
  // A code without texts counts as not given; without an English catalogue the game is
  // the one it was written as.
  EXPECT_EQ(ChooseLanguage("fr", "xx", "ja_JP.UTF-8", both), "ja");
  EXPECT_EQ(ChooseLanguage("", "", "en_US.UTF-8", {"ja"}), "ja");

  {
    const LocaleVariables v(nullptr, "ja_JP.UTF-8", "en_US.UTF-8");
    EXPECT_EQ(platform::MessagesLocale(), "ja_JP.UTF-8");
  }
  {
    const LocaleVariables v("en_GB.UTF-8", "ja_JP.UTF-8", "ja_JP.UTF-8");
    EXPECT_EQ(platform::MessagesLocale(), "en_GB.UTF-8");
  }
  {
    const LocaleVariables v("", "", "ja_JP.eucJP");
    EXPECT_EQ(platform::MessagesLocale(), "ja_JP.eucJP");
  }
}

using LanguageSetting = SettingsDialogFixture;

TEST_F(LanguageSetting, WrittenOnlyOnceChosenAppliedAtOkAndReadBackByTheNextRun) {
  // The build's catalogues, as beside an executable in this folder.
  std::filesystem::create_directory_symlink(std::string(BRAMKO_RUNTIME_DIR) + "/locale", dir_ + "locale");
  SetLanguage("ja");
  WriteTextFile(ini_, "[Linux]\nScaleMode=1\n");  // a file from before the language setting
  EXPECT_EQ(ReadStoredSettings(ini_).language, "");
  {
    TForm2 form;
    ASSERT_EQ(form.Languages, (std::vector<std::string>{"ja", "en"}));
    EXPECT_EQ(form.cbLanguage.Items, (std::vector<std::string>{"日本語", "English"}));
    EXPECT_EQ(form.cbLanguage.ItemIndex, 0);  // the language of the run
    form.btnOKClick();
  }
  EXPECT_EQ(Value("Linux", "Language"), "<missing>");  // the locale goes on deciding
  EXPECT_EQ(Value("Linux", "ScaleMode"), "1");
  {
    TForm2 form;
    form.cbLanguage.ItemIndex = 1;
    form.btnOKClick();
  }
  EXPECT_EQ(Value("Linux", "Language"), "en");
  EXPECT_TRUE(EnglishGame());
  EXPECT_STREQ(Tr("キャンセル"), "Cancel");
  EXPECT_EQ(ReadStoredSettings(ini_).language, "en");
  {
    TForm2 form;  // opened again in English, at English
    EXPECT_EQ(form.cbLanguage.ItemIndex, 1);
    EXPECT_EQ(form.rgSpeed.Caption, "Game speed");
    form.Button3Click();  // Cancel changes nothing
  }
  SetLanguage("ja");
  EXPECT_STREQ(Tr("キャンセル"), "キャンセル");
}

}  // namespace
