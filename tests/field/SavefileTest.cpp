// The progress file: its exact 19 bytes, loading full, short and missing files, a failed
// save that must not cost the save already there, and links planted beside it.
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "field/MapState.h"
#include "platform/files/Files.h"
#include "platform/headless/HeadlessControl.h"
#include "field/Savefile.h"
#include "support/Headless.h"
#include "support/KillLoop.h"

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
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir), {}), 1);  // no temporary left
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
  // A file-size limit (ulimit -f 0): the write fails with an error instead of ending the
  // process with SIGXFSZ, and the message is shown.
  rlimit before{};
  ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &before), 0);
  rlimit none = before;
  none.rlim_cur = 0;
  ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &none), 0);
  MapProgress[1] = 2;
  const size_t messages = platform::headless::Messages().size();
  SaveProgress();
  setrlimit(RLIMIT_FSIZE, &before);
  EXPECT_EQ(Read(), saved);
  ASSERT_EQ(platform::headless::Messages().size(), messages + 1);
  EXPECT_NE(platform::headless::Messages().back().find(SaveFilePath() + " に書き込めません"), std::string::npos);
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir), {}), 1);  // no temporary left
  // Neither the executable's folder nor the user's data folder can take it: the message
  // names the folder to look at, and the game goes on.
  std::ofstream(dir + "blocked") << "a file where a folder should be";
  setenv("XDG_DATA_HOME", (dir + "blocked").c_str(), 1);
  platform::SetExecutableDir(dir + "gone/");
  SaveProgress();
  unsetenv("XDG_DATA_HOME");
  ASSERT_EQ(platform::headless::Messages().size(), messages + 2);
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

TEST_F(SaveFileTest, NeverWritesThroughAPlantedLinkAndKeepsThePermissionBits) {
  namespace fs = std::filesystem;
  const std::string victim = dir + "victim.txt";
  std::ofstream(victim) << "precious";
  // Links where a temporary was or might be made: the first release's name, and one of
  // the form crashes leave behind.
  fs::create_symlink(victim, SaveFilePath() + ".new");
  fs::create_symlink(victim, SaveFilePath() + ".tmp.AbC123");
  SaveProgress();
  ASSERT_EQ(Read().size(), 19u);
  std::ifstream in(victim);
  EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), "precious");
  // Left-over temporaries are cleared away; the file they pointed at stays.
  EXPECT_FALSE(fs::exists(fs::symlink_status(SaveFilePath() + ".new")));
  EXPECT_FALSE(fs::exists(fs::symlink_status(SaveFilePath() + ".tmp.AbC123")));
  EXPECT_TRUE(fs::exists(victim));

  // A save the player made private stays private.
  fs::permissions(SaveFilePath(), fs::perms::owner_read | fs::perms::owner_write);
  MapProgress[2] = 4;
  SaveProgress();
  EXPECT_EQ(fs::status(SaveFilePath()).permissions(), fs::perms::owner_read | fs::perms::owner_write);
}

}  // namespace

TEST_F(SaveFileTest, ASaveKilledAnywhereLeavesTheOldFileOrTheNewOneWhole) {
  auto write = [&](int n) {
    const size_t messages = platform::headless::Messages().size();
    MapProgress[1] = n % 2 ? 0x01020304 : -1;
    MapProgress[3] = n % 2 ? 7 : 0;
    DoraQOpeningSeen = n % 2;
    SaveProgress();
    if (platform::headless::Messages().size() != messages) _exit(3);
  };
  write(0);
  const Bytes oldFile = Read();
  write(1);
  const Bytes newFile = Read();
  auto report = testing_support::KillDuringWrites(200, write, [&]() -> std::string {
    const Bytes now = Read();
    return now == oldFile || now == newFile ? "" : "a torn save of " + std::to_string(now.size()) + " bytes";
  });
  EXPECT_EQ(report.kills, 200);
  EXPECT_EQ(report.childFailures, 0);
  EXPECT_EQ(report.problems, 0) << report.firstProblem;
  write(0);
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir), {}), 1);
}
