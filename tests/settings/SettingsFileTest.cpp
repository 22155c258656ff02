// The settings file: defaults for a missing or empty file, values read and applied to the
// running game, key lists in their text form, and writes that leave the rest of the file.
#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "platform/files/Files.h"
#include "platform/files/IniFile.h"
#include "platform/Text.h"
#include "input/Ginput.h"
#include "input/KeyTable.h"
#include "settings/SettingsFile.h"
#include "actors/BattleState.h"
#include "shell/Bramkoworld.h"
#include "shell/Game.h"
#include "shell/PadRumble.h"
#include "support/Headless.h"

namespace {

void WriteFile(const std::string& path, const std::string& utf8Text) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out << platform::Utf8ToSjis(utf8Text);
}

std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream ss;
  ss << in.rdbuf();
  return ss.str();
}

std::vector<int> List(int row, int f) { return KeyTable::Keys(row, f); }

void ExpectDefaultKeys() {
  for (int row = 0; row < 2; ++row)
    for (int f = 0; f < 6; ++f) EXPECT_EQ(List(row, f), KeyTable::DefaultKeys(row, f)) << row << "/" << f;
}

class SettingsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = testing_support::FreshDir("settings");
    path_ = dir_ + "/BRAMKO.INI";
    platform::SetExecutableDir(dir_);
    ResetGameInputState();
    // Values that the loader must replace.
    FramePeriodMs = 99;
    FangPowerByMode[0][mmStory] = 1;
    JoystickPollerP1 = JoystickPollerP2 = JoystickPoller1;
    ExtrasUnlocked = ResolutionChangeRequested = true;
    JoystickSwapButtons = PadRumbleOnHit = true;
  }
  void TearDown() override {
    platform::SetExecutableDir("");
    ResetGameInputState();
    FramePeriodMs = 15;
    FangPowerByMode[0][mmStory] = 160;
    ExtrasUnlocked = ResolutionChangeRequested = false;
  }
  std::string dir_, path_;
};

void ExpectStartUpDefaults() {
  EXPECT_EQ(FramePeriodMs, 15);
  EXPECT_EQ(FangPowerByMode[0][mmStory], 160);
  // Nothing chosen yet: the first pad plays player 1, the second player 2.
  EXPECT_EQ(JoystickPollerP1, JoystickPoller1);
  EXPECT_EQ(JoystickPollerP2, JoystickPoller2);
  EXPECT_FALSE(JoystickSwapButtons);
  EXPECT_FALSE(PadRumbleOnHit);
  EXPECT_FALSE(ExtrasUnlocked);
  EXPECT_FALSE(ResolutionChangeRequested);
  ExpectDefaultKeys();
}

TEST_F(SettingsTest, MissingEmptyOrUnreadableFileGivesTheDefaults) {
  LoadAndApplySettings();
  ExpectStartUpDefaults();
  WriteFile(path_, "");
  FramePeriodMs = 99;
  LoadAndApplySettings();
  ExpectStartUpDefaults();
  // A folder where the file should be cannot be read either.
  std::filesystem::remove(path_);
  std::filesystem::create_directory(path_);
  FramePeriodMs = 99;
  LoadAndApplySettings();
  ExpectStartUpDefaults();
}

TEST_F(SettingsTest, StoredValuesReachTheRunningGame) {
  WriteFile(path_,
            "[難易度調整]\r\nゲームスピード=0x3\r\nファングパワー=2\r\n"
            "[キーカスタマイズ]\r\nJOYSTICK1=2\r\nJOYSTICK2=1\r\n"
            "[キーカスタマイズ　PLAYER1]\r\nKEY_FUNC1=13 190,,0,226,\r\nKEY_FUNC2=\r\n"
            "KEY_FUNC5=\"65\",x1,1000,255,-3,\r\n"
            "[キーカスタマイズ　PLAYER2]\r\nKEY_FUNC6=32,\r\n"
            "[その他]\r\nおまけ=1\r\n解像度の変更=1\r\n");
  LoadAndApplySettings();
  EXPECT_EQ(FramePeriodMs, 12);
  EXPECT_EQ(FangPowerByMode[0][mmStory], 254);
  EXPECT_EQ(FangPowerByMode[1][mmStory], 160);
  EXPECT_EQ(JoystickPollerP1, JoystickPoller2);
  EXPECT_EQ(JoystickPollerP2, JoystickPoller1);
  EXPECT_TRUE(ExtrasUnlocked);
  EXPECT_TRUE(ResolutionChangeRequested);
  EXPECT_EQ(List(0, kfUp), (std::vector<int>{13, 190, 226}));
  EXPECT_TRUE(List(0, kfDown).empty());                                 // an empty value stays empty
  EXPECT_EQ(List(0, kfLeft), KeyTable::DefaultKeys(0, kfLeft));         // a missing one is the default
  EXPECT_EQ(List(0, kfDecide), (std::vector<int>{65, 1000, 255, -3}));  // "x1" is no number
  EXPECT_EQ(List(1, kfCancel), (std::vector<int>{32}));
  EXPECT_EQ(List(1, kfUp), KeyTable::DefaultKeys(1, kfUp));
}

TEST_F(SettingsTest, OutOfRangeValuesFallBackAsTheDialogWould) {
  struct Case {
    const char* text;
    int frame, power;
    JoystickPoller p1, p2;
  } cases[] = {
      {"[難易度調整]\nゲームスピード=7\nファングパワー=-1\n", 12, 160, JoystickPoller1, JoystickPoller2},
      {"[難易度調整]\nゲームスピード=-4\nファングパワー=9\n", 15, 320, JoystickPoller1, JoystickPoller2},
      {"[難易度調整]\nゲームスピード=1\n[キーカスタマイズ]\nJOYSTICK1=1\nJOYSTICK2=1\n", 21, 160, JoystickPoller2,
       nullptr},
      {"[キーカスタマイズ]\nJOYSTICK1=3\nJOYSTICK2=2\n[難易度調整]\nゲームスピード=fast\n", 15, 160, nullptr,
       JoystickPoller2},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    WriteFile(path_, c.text);
    LoadAndApplySettings();
    EXPECT_EQ(FramePeriodMs, c.frame);
    EXPECT_EQ(FangPowerByMode[0][mmStory], c.power);
    EXPECT_EQ(JoystickPollerP1, c.p1);
    EXPECT_EQ(JoystickPollerP2, c.p2);
  }
  WriteFile(path_, "[難易度調整]\nゲームスピード=-4\n");
  EXPECT_EQ(ReadStoredSettings(path_).speed, -1);  // the dialog shows no selection
}

TEST_F(SettingsTest, WrittenSettingsReadBackTheSame) {
  LoadKeyLists(path_, true);
  KeyTable::RemoveKey(0, kfDown, 86);
  KeyTable::AddKey(1, kfDecide, 32);
  while (KeyTable::KeyCount(0, kfRight) > 0) KeyTable::RemoveKey(0, kfRight, KeyTable::KeyAt(0, kfRight, 0));
  StoredSettings s;
  s.speed = 0;
  s.fangPower = 3;
  s.joystick1 = 1;
  s.joystick2 = 0;
  s.resolution = 0;
  s.extras = true;  // never written by the dialog
  s.padSwapButtons = true;
  std::string error;
  ASSERT_TRUE(WriteStoredSettings(path_, s, &error)) << error;
  std::vector<std::vector<int>> before;
  for (int row = 0; row < 2; ++row)
    for (int f = 0; f < 6; ++f) before.push_back(List(row, f));

  KeyTable::ClearKeys();
  StoredSettings r = ReadStoredSettings(path_);
  EXPECT_EQ(r.speed, 0);
  EXPECT_EQ(r.fangPower, 3);
  EXPECT_EQ(r.joystick1, 1);
  EXPECT_EQ(r.joystick2, 0);
  EXPECT_FALSE(r.extras);
  EXPECT_TRUE(r.padSwapButtons);
  EXPECT_FALSE(r.padRumble);
  LoadKeyLists(path_, false);
  for (int row = 0, i = 0; row < 2; ++row)
    for (int f = 0; f < 6; ++f, ++i) EXPECT_EQ(List(row, f), before[static_cast<size_t>(i)]) << row << "/" << f;
  EXPECT_TRUE(List(0, kfRight).empty());  // written as an empty value, read back empty

  // The file holds Shift-JIS names and lists that end with a comma.
  std::string text = ReadFile(path_);
  EXPECT_NE(text.find(platform::Utf8ToSjis("[キーカスタマイズ　PLAYER2]")), std::string::npos);
  EXPECT_NE(text.find("KEY_FUNC5=13,190,226,32,"), std::string::npos);
  EXPECT_NE(text.find("KEY_FUNC2=71,66,"), std::string::npos);
  EXPECT_NE(text.find("[Linux]"), std::string::npos);
  EXPECT_NE(text.find("PadSwapButtons=1"), std::string::npos);
  EXPECT_NE(text.find("PadRumble=0"), std::string::npos);
  EXPECT_EQ(text.find(platform::Utf8ToSjis("おまけ")), std::string::npos);

  // A file that cannot be written names itself in the message.
  std::string blocked = dir_ + "/missing/BRAMKO.INI";
  EXPECT_FALSE(WriteStoredSettings(blocked, s, &error));
  EXPECT_EQ(error, blocked + " に書き込めません");
}

TEST(IniFileTest, WritingOneValueKeepsTheRestByteForByte) {
  std::string dir = testing_support::FreshDir("ini");
  std::string path = dir + "/a.ini";
  // Windows line ends, a comment, odd spacing, a blank line and no break after the last line.
  const std::string head = "; kept\r\n[Sound]\r\n  Volume = 7 \r\nOther=x\r\n\r\n";
  const std::string tail = "[Keys]\r\nA=1";
  {
    std::ofstream out(path, std::ios::binary);
    out << head << tail;
  }
  ASSERT_TRUE(platform::IniWriteString(path, "sound", "volume", "3"));
  EXPECT_EQ(ReadFile(path), "; kept\r\n[Sound]\r\n  Volume =3\r\nOther=x\r\n\r\n" + tail);
  EXPECT_EQ(platform::IniReadInt(path, "SOUND", "Volume", 0), 3);

  ASSERT_TRUE(platform::IniWriteString(path, "Sound", "New", "n"));
  EXPECT_EQ(ReadFile(path), "; kept\r\n[Sound]\r\n  Volume =3\r\nOther=x\r\nNew=n\r\n\r\n" + tail);

  ASSERT_TRUE(platform::IniWriteString(path, "Keys", "A", "2"));
  EXPECT_EQ(ReadFile(path), "; kept\r\n[Sound]\r\n  Volume =3\r\nOther=x\r\nNew=n\r\n\r\n[Keys]\r\nA=2");

  ASSERT_TRUE(platform::IniWriteString(path, "Keys", "B", "b"));
  EXPECT_EQ(ReadFile(path), "; kept\r\n[Sound]\r\n  Volume =3\r\nOther=x\r\nNew=n\r\n\r\n[Keys]\r\nA=2\r\nB=b\r\n");
  EXPECT_EQ(platform::IniReadString(path, "Keys", "B", "?"), "b");
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir), {}), 1);  // no temporary left
}

TEST(IniFileTest, NumbersHoldAtTheRangeEndsAndAHugeFileIsReadOnlyToItsBound) {
  std::string dir = testing_support::FreshDir("inibig");
  std::string path = dir + "/c.ini";
  WriteFile(path, "[その他]\n解像度の変更=4294967297\nlow=-99999999999\n");
  EXPECT_EQ(platform::IniReadInt(path, "その他", "解像度の変更", 0), INT32_MAX);  // never wraps to 1
  EXPECT_EQ(platform::IniReadInt(path, "その他", "low", 0), INT32_MIN);

  // Past the bound nothing is read, and the file is never written back cut short.
  const std::string filler(platform::kMaxIniBytes, ';');
  WriteFile(path, "[難易度調整]\nファングパワー=3\n" + filler + "\nゲームスピード=0\n");
  const std::string before = ReadFile(path);
  EXPECT_EQ(platform::IniReadInt(path, "難易度調整", "ファングパワー", 0), 3);
  EXPECT_EQ(platform::IniReadInt(path, "難易度調整", "ゲームスピード", 2), 2);
  std::string error;
  EXPECT_FALSE(WriteStoredSettings(path, StoredSettings{}, &error));
  EXPECT_EQ(error, path + " に書き込めません");
  EXPECT_EQ(ReadFile(path), before);
}

TEST(IniFileTest, ShiftJisNamesMatchOnlyThemselves) {
  std::string dir = testing_support::FreshDir("inisjis");
  std::string path = dir + "/b.ini";
  // "ヂ" is 83 61 and "ア" is 83 41: the second bytes differ only like an ASCII case.
  WriteFile(path, "[ヂ]\nk=1\n[ア]\nk=2\n[ヂ]\nk=3\nz=4\n");
  EXPECT_EQ(platform::IniReadInt(path, "ア", "k", 0), 2);
  EXPECT_EQ(platform::IniReadInt(path, "ヂ", "k", 0), 1);
  EXPECT_EQ(platform::IniReadInt(path, "ヂ", "z", 0), 0);  // only the first section of a name counts
}

}  // namespace
