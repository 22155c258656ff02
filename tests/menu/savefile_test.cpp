// The progress file: its exact 19 bytes, loading full, short and missing files, and a
// failed save that must not cost the save already there.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "field/MapState.h"
#include "platform/Files.h"
#include "platform/headless/HeadlessControl.h"
#include "shell/Savefile.h"
#include "support/Headless.h"

namespace {

using Bytes = std::string;

class SaveFileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ResetMapState();
    dir = testing_support::FreshDir("savefile") + "/";
    platform::SetExecutableDir(dir);
  }
  Bytes Read() {
    std::ifstream f(SaveFilePath(), std::ios::binary);
    return Bytes((std::istreambuf_iterator<char>(f)), std::istreambuf_iterator<char>());
  }
  void Write(const Bytes& b) { std::ofstream(SaveFilePath(), std::ios::binary) << b; }

  testing_support::HeadlessPlatform platformUp;
  std::string dir;
};

TEST_F(SaveFileTest, NewGameIsNineteenLittleEndianBytesAndTheSameEachTime) {
  SaveProgress();
  const Bytes first = Read();
  EXPECT_EQ(first, Bytes("\x03\0\0\0\xFF\xFF\xFF\xFF\0\0\0\0\0\0\0\0\0\0\0", 19));
  SaveProgress();
  EXPECT_EQ(Read(), first);
  EXPECT_FALSE(std::filesystem::exists(SaveFilePath() + ".new"));
}

TEST_F(SaveFileTest, LoadGivesBackWhatWasSavedButNeverTheMenuEntry) {
  MapProgress[1] = 6;
  MapProgress[2] = 0x01020304;
  MapProgress[3] = -2;
  JourneyIntroSeen = 1;
  DoraQOpeningSeen = 1;
  SaveProgress();
  Bytes b = Read();
  b[0] = 42;  // whatever the file holds for the menu
  Write(b);
  ResetMapState();
  EXPECT_EQ(LoadProgress(), 0);
  EXPECT_EQ(MapProgress[0], 3);
  EXPECT_EQ(MapProgress[1], 6);
  EXPECT_EQ(MapProgress[2], 0x01020304);
  EXPECT_EQ(MapProgress[3], -2);
  EXPECT_EQ(MapProgress[4], 5);
  EXPECT_EQ(JourneyIntroSeen, 1);
  EXPECT_EQ(VenueArrivalSeen, 0);
  EXPECT_EQ(DoraQOpeningSeen, 1);
}

TEST_F(SaveFileTest, MissingAndShortFilesFillOnlyWhatTheyHold) {
  MapProgress[1] = 4;
  EXPECT_EQ(LoadProgress(), -1);
  EXPECT_EQ(MapProgress[1], 4);
  // Twelve bytes: entries 1 and 2; entry 3 and the flags stay.
  MapProgress[3] = 7;
  VenueArrivalSeen = 1;
  Write(Bytes("\0\0\0\0\x02\0\0\0\x05\0\0\0", 12));
  EXPECT_EQ(LoadProgress(), 0);
  EXPECT_EQ(MapProgress[1], 2);
  EXPECT_EQ(MapProgress[2], 5);
  EXPECT_EQ(MapProgress[3], 7);
  EXPECT_EQ(VenueArrivalSeen, 1);
  // Six bytes: entry 1 takes two low-order bytes and keeps its high ones.
  MapProgress[1] = 0x11223344;
  Write(Bytes("\0\0\0\0\x01\x02", 6));
  EXPECT_EQ(LoadProgress(), 0);
  EXPECT_EQ(MapProgress[1], 0x11220201);
  // Seventeen bytes: the first flag only.
  JourneyIntroSeen = 0;
  Write(Bytes("\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\x01", 17));
  EXPECT_EQ(LoadProgress(), 0);
  EXPECT_EQ(JourneyIntroSeen, 1);
  EXPECT_EQ(VenueArrivalSeen, 1);
}

TEST_F(SaveFileTest, AFailedSaveKeepsTheOldFileAndSaysSo) {
  MapProgress[1] = 1;
  SaveProgress();
  const Bytes saved = Read();
  // The new file cannot be made beside the old one.
  std::filesystem::create_directory(SaveFilePath() + ".new");
  MapProgress[1] = 2;
  const size_t before = platform::headless::Messages().size();
  SaveProgress();
  EXPECT_EQ(Read(), saved);
  ASSERT_EQ(platform::headless::Messages().size(), before + 1);
  EXPECT_NE(platform::headless::Messages().back().find(SaveFilePath() + " に書き込めません"), std::string::npos);
  // Neither the executable's folder nor the user's data folder can take it: the message
  // names the folder to look at, and the game goes on.
  std::ofstream(dir + "blocked") << "a file where a folder should be";
  setenv("XDG_DATA_HOME", (dir + "blocked").c_str(), 1);
  platform::SetExecutableDir(dir + "gone/");
  SaveProgress();
  unsetenv("XDG_DATA_HOME");
  ASSERT_EQ(platform::headless::Messages().size(), before + 2);
  EXPECT_NE(platform::headless::Messages().back().find("フォルダ " + dir + "blocked/bramko2 に書き込めるか"),
            std::string::npos)
      << platform::headless::Messages().back();
}

TEST_F(SaveFileTest, AnInstalledGameSavesIntoTheUsersDataFolderMadeOnTheFirstSave) {
  std::filesystem::create_directories(dir + "prefix/bin");
  std::filesystem::create_directories(dir + "prefix/share/bramko2");
  platform::SetExecutableDir(dir + "prefix/bin");
  setenv("XDG_DATA_HOME", (dir + "data").c_str(), 1);
  MapProgress[1] = 5;
  const size_t before = platform::headless::Messages().size();
  SaveProgress();
  EXPECT_EQ(platform::headless::Messages().size(), before);
  EXPECT_EQ(std::filesystem::file_size(dir + "data/bramko2/BRAMKO.DAT"), 19u);
  MapProgress[1] = -1;
  EXPECT_EQ(LoadProgress(), 0);
  unsetenv("XDG_DATA_HOME");
  EXPECT_EQ(MapProgress[1], 5);
  EXPECT_FALSE(std::filesystem::exists(dir + "prefix/bin/BRAMKO.DAT"));
}

}  // namespace
