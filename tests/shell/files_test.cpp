// Where the game's files live: a portable copy keeps everything beside its executable, an
// installed one reads its data from ../share/bramko2 and keeps the player's files in the
// freedesktop user folders; the single-copy lock is per user.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "platform/Files.h"
#include "shell/GameFiles.h"
#include "support/Headless.h"

namespace {

namespace fs = std::filesystem;

// Sets (or, with nullptr, removes) an environment variable for one test.
class ScopedEnv {
 public:
  ScopedEnv(const char* name, const char* value) : name_(name) {
    const char* old = std::getenv(name);
    had_ = old != nullptr;
    if (had_) old_ = old;
    value ? setenv(name, value, 1) : unsetenv(name);
  }
  ~ScopedEnv() { had_ ? setenv(name_, old_.c_str(), 1) : unsetenv(name_); }

 private:
  const char* name_;
  bool had_ = false;
  std::string old_;
};

class GameFilesTest : public ::testing::Test {
 protected:
  void SetUp() override { root = testing_support::FreshDir("gamefiles") + "/"; }
  void TearDown() override { platform::SetExecutableDir(""); }
  std::string root;
};

TEST_F(GameFilesTest, APortableCopyKeepsEverythingBesideItsExecutable) {
  ScopedEnv config("XDG_CONFIG_HOME", (root + "config").c_str());
  platform::SetExecutableDir(root + "portable");
  fs::create_directories(root + "portable");
  EXPECT_EQ(DataFolder(), root + "portable/");
  EXPECT_EQ(SettingsFilePath(), root + "portable/BRAMKO.INI");
  EXPECT_EQ(SaveFilePath(), root + "portable/BRAMKO.DAT");
  EXPECT_EQ(UserDataFolder(), root + "portable/");
}

TEST_F(GameFilesTest, AnInstalledGameReadsItsDataFromShareAndKeepsThePlayersFilesInTheUserFolders) {
  fs::create_directories(root + "prefix/bin");
  fs::create_directories(root + "prefix/share/bramko2");
  fs::create_directories(root + "home");
  platform::SetExecutableDir(root + "prefix/bin");
  ScopedEnv home("HOME", (root + "home").c_str());
  {
    ScopedEnv config("XDG_CONFIG_HOME", (root + "config").c_str());
    ScopedEnv data("XDG_DATA_HOME", (root + "data").c_str());
    EXPECT_EQ(DataFolder(), root + "prefix/share/bramko2/");
    // Even where bin/ may be written (root running a game installed by root).
    EXPECT_EQ(SettingsFilePath(), root + "config/bramko2/BRAMKO.INI");
    EXPECT_EQ(SaveFilePath(), root + "data/bramko2/BRAMKO.DAT");
  }
  // Unset, or relative (which the rules say to ignore): the defaults under the home folder.
  ScopedEnv config("XDG_CONFIG_HOME", "relative/config");
  ScopedEnv data("XDG_DATA_HOME", nullptr);
  EXPECT_EQ(SettingsFilePath(), root + "home/.config/bramko2/BRAMKO.INI");
  EXPECT_EQ(SaveFilePath(), root + "home/.local/share/bramko2/BRAMKO.DAT");
  EXPECT_FALSE(fs::exists(root + "home/.config")) << "folders are made on the first write, not on a look";
}

TEST_F(GameFilesTest, TheSingleCopyLockIsPerUserAndNeverInASharedFolder) {
  ScopedEnv data("XDG_DATA_HOME", (root + "data").c_str());
  fs::create_directories(root + "run-a");
  {
    ScopedEnv runtime("XDG_RUNTIME_DIR", (root + "run-a").c_str());
    auto paths = InstanceLockPaths();
    ASSERT_EQ(paths.size(), 2u);
    EXPECT_EQ(paths[0], root + "run-a/morvelbramkowin.lock");
    EXPECT_EQ(paths[1], root + "data/bramko2/morvelbramkowin.lock");
  }
  // A runtime folder that is not there (a stale variable) is skipped, not created.
  ScopedEnv runtime("XDG_RUNTIME_DIR", (root + "run-gone").c_str());
  auto paths = InstanceLockPaths();
  ASSERT_EQ(paths.size(), 1u);
  EXPECT_EQ(paths[0], root + "data/bramko2/morvelbramkowin.lock");
  EXPECT_TRUE(MakeFolderFor(paths[0]));
  EXPECT_EQ(platform::AcquireInstanceLock(paths[0]), platform::LockResult::Acquired);
}

}  // namespace
