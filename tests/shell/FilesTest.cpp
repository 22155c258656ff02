// Where the game's files live: a portable copy keeps everything beside its executable, an
// installed one reads its data from ../share/bramko2 and keeps the player's files in the
// freedesktop user folders; the single-copy lock is per user; a failed write says the
// system's reason.
#include <gtest/gtest.h>
#include <sched.h>
#include <signal.h>
#include <sys/mount.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <functional>

#include "platform/files/Files.h"
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

// Each reason made real in a child: the limit with setrlimit, the full disk and the
// read-only one as a tiny tmpfs in a mount namespace of the child's own (skipped where the
// machine allows none), no permission as a folder the child (as nobody, when root) may
// not write. The child exits 0 when the message says the reason, 77 when it cannot set up.
TEST(CannotWriteMessage, SaysTheSystemsReasonInThePlayersWords) {
  struct Case {
    const char* name;
    std::function<bool(const std::string& dir)> setUp;
    const char* says;
  };
  const auto ownMount = [](const std::string& dir, const char* options, unsigned long flags) {
    if (unshare(CLONE_NEWNS) != 0) {
      const uid_t uid = geteuid();
      if (unshare(CLONE_NEWUSER | CLONE_NEWNS) != 0) return false;
      const std::string map = "0 " + std::to_string(uid) + " 1";
      std::FILE* f = std::fopen("/proc/self/uid_map", "w");
      if (!f) return false;
      std::fputs(map.c_str(), f);
      std::fclose(f);
    }
    // Private first: nothing mounted here may reach the machine's own namespace.
    return mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) == 0 &&
           mount("tmpfs", dir.c_str(), "tmpfs", flags, options) == 0;
  };
  const Case cases[] = {
      {"size limit",
       [](const std::string&) {
         signal(SIGXFSZ, SIG_IGN);  // as the game does
         rlimit none{0, 0};
         return setrlimit(RLIMIT_FSIZE, &none) == 0;
       },
       "ファイルの大きさの上限を超えます。"},
      {"disk full", [&](const std::string& dir) { return ownMount(dir, "size=16k", 0); },
       "のあるディスクに空きがありません。"},
      {"read-only", [&](const std::string& dir) { return ownMount(dir, "size=16k", MS_RDONLY); },
       "は読み出し専用のファイルシステムにあります。"},
      {"no permission",
       [](const std::string& dir) {
         return chmod(dir.c_str(), 0555) == 0 && (geteuid() != 0 || setresuid(65534, 65534, 65534) == 0);
       },
       "に書き込む権限がありません。"},
  };
  int ran = 0;
  for (const Case& c : cases) {
    char dirName[] = "/tmp/bramko-write-XXXXXX";
    ASSERT_NE(mkdtemp(dirName), nullptr);
    const std::string dir = dirName;
    const pid_t child = fork();
    if (child == 0) {
      if (!c.setUp(dir)) _exit(77);
      const std::string path = dir + "/BRAMKO.DAT";
      if (platform::WriteFileAtomically(path, std::string(1 << 20, 'x'))) _exit(2);
      const std::string said = CannotWriteMessage(path, "残っています。");
      const std::string shape = path + " に書き込めません。\n";
      const bool shaped = said.starts_with(shape) && said.ends_with("。\n残っています。");
      _exit(shaped && said.find(c.says) != std::string::npos ? 0 : 1);
    }
    int status = 0;
    waitpid(child, &status, 0);
    fs::remove_all(dir);
    ASSERT_TRUE(WIFEXITED(status)) << c.name;
    if (WEXITSTATUS(status) == 77) {
      std::printf("[ note     ] %s: cannot be made on this machine\n", c.name);
      continue;
    }
    ++ran;
    EXPECT_EQ(WEXITSTATUS(status), 0) << c.name << ": the message does not say \"" << c.says << "\"";
  }
  EXPECT_GE(ran, 1);
}

}  // namespace
