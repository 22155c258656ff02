// Files a stranger or a crash can plant where the game reads one: a FIFO with no writer
// (an open that waits for ever) and a 3 GB sparse file. Every reader of the game, in a child
// process, must answer within a second (a refusal, or a bounded cut) without taking memory
// for the planted size.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <thread>

#include "battle/ReplayFiles.h"
#include "field/Fieldxchip.h"
#include "platform/Backend.h"
#include "platform/Bitmap.h"
#include "platform/files/Files.h"
#include "platform/ui/help/HelpText.h"
#include "platform/files/IniFile.h"
#include "platform/headless/HeadlessControl.h"
#include "platform/media/MediaDevice.h"
#include "platform/media/TuneCache.h"
#include "shell/GameFiles.h"
#include "field/Savefile.h"
#include "support/Headless.h"

namespace {

enum class Plant { Fifo, Huge };

bool Said(const std::string& part) {
  const auto& m = platform::headless::Messages();
  return !m.empty() && m.back().find(part) != std::string::npos;
}

struct Reader {
  const char* name;
  const char* file;  // in the game's folder
  // Runs the reader on what was planted at path; true when it answered as it should.
  std::function<bool(const std::string& path, Plant plant)> answers;
};

const Reader kReaders[] = {
    {"settings", "BRAMKO.INI",
     [](const std::string& path, Plant plant) {
       // Read as empty, or cut at its bound and then never written back.
       const platform::IniDocument ini = platform::IniDocument::Load(path);
       return plant == Plant::Fifo ? ini.Whole() && ini.Get("a", "b", "-") == "-" : !ini.Whole();
     }},
    {"save", "BRAMKO.DAT",
     [](const std::string&, Plant plant) {
       // A FIFO is refused with a message; a long file gives only its first 19 bytes.
       const int got = LoadProgress();
       return plant == Plant::Fifo ? got == -1 && Said("を開けません") : got == 0;
     }},
    {"replay", "replays/a.replay", [](const std::string& path, Plant) { return !LoadReplayFile(path) && Said(path); }},
    {"help", "BRAMKO.HLP", [](const std::string& path, Plant) { return platform::LoadHelpFile(path).empty(); }},
    {"arena map", "map1.txt",
     [](const std::string& path, Plant) {
       platform::Bitmap screen{64, 64};
       LFieldXChip arena{screen.GetCanvas(), 16};
       return arena.LoadMap(path) == 1;
     }},
    {"sound", "Gmreset.wav",
     [](const std::string& path, Plant) {
       std::vector<uint8_t> bytes;
       return !platform::media::ReadMediaFile(path, bytes) && bytes.empty();
     }},
    {"tune cache entry", "tunes/00000000000000ab.pcm",
     [](const std::string& path, Plant) {
       const platform::media::TuneCache cache(std::filesystem::path(path).parent_path().string());
       return !cache.Has(0xab, 22050) && !cache.Load(0xab, 22050);
     }},
    {"simulator script", "run.script",
     [](const std::string& path, Plant) {
       platform::StartOptions options;
       options.kind = platform::BackendKind::Headless;
       options.scriptFile = path;
       std::string error;
       return !platform::MakeHeadlessBackend(options, &error) && !error.empty();
     }},
    {"single-copy lock", "morvelbramkowin.lock",
     [](const std::string& path, Plant plant) {
       // A planted file of any size holds the lock as well as an empty one.
       const platform::LockResult got = platform::AcquireInstanceLock(path);
       return plant == Plant::Fifo ? got == platform::LockResult::Unavailable : got == platform::LockResult::Acquired;
     }},
};

long MaxRssKb(int who) {
  rusage use{};
  getrusage(who, &use);
  return use.ru_maxrss;
}

class PlantedFiles : public ::testing::Test {
 protected:
  void SetUp() override {
    dir = testing_support::FreshDir("planted") + "/";
    platform::SetExecutableDir(dir);
  }
  void TearDown() override { platform::SetExecutableDir(""); }

  // Runs the reader in a child; "" when it answered as it should within a second.
  std::string Run(const Reader& r, Plant plant) {
    const std::string path = dir + r.file;
    std::filesystem::create_directories(std::filesystem::path(path).parent_path());
    std::filesystem::remove(path);
    if (plant == Plant::Fifo) {
      if (mkfifo(path.c_str(), 0600) != 0) return "no FIFO could be made";
    } else {
      std::FILE* f = std::fopen(path.c_str(), "wb");
      if (!f) return "no file could be made";
      const bool sized = ftruncate(fileno(f), 3ll << 30) == 0;
      std::fclose(f);
      if (!sized) return "no sparse file could be made";
    }
    const long before = MaxRssKb(RUSAGE_SELF);
    std::fflush(nullptr);
    const pid_t child = fork();
    if (child == 0) _exit(r.answers(path, plant) ? 0 : 1);
    const auto start = std::chrono::steady_clock::now();
    int status = 0;
    rusage use{};
    while (wait4(child, &status, WNOHANG, &use) == 0) {
      if (std::chrono::steady_clock::now() - start > std::chrono::seconds(1)) {
        kill(child, SIGKILL);
        waitpid(child, &status, 0);
        return "still reading after a second";
      }
      std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    if (!WIFEXITED(status)) return "ended by signal " + std::to_string(WTERMSIG(status));
    if (WEXITSTATUS(status) != 0) return "answered wrongly";
    if (use.ru_maxrss > before + 256 * 1024)
      return "took " + std::to_string((use.ru_maxrss - before) / 1024) + " MB more";
    return "";
  }
  testing_support::HeadlessPlatform platformUp;
  std::string dir;
};

TEST_F(PlantedFiles, EveryReaderRefusesAFifoAndAHugeFileAtOnce) {
  for (const Reader& r : kReaders)
    for (Plant plant : {Plant::Fifo, Plant::Huge})
      EXPECT_EQ(Run(r, plant), "") << r.name << (plant == Plant::Fifo ? " (FIFO)" : " (3 GB sparse file)");
}

}  // namespace
