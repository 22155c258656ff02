// app: start-up order of the process: lock, backend, main window, settings, message loop.
#include "app/GameApp.h"

#include <algorithm>
#include <cstdio>

#include "actors/Complayer.h"
#include "actors/Tip.h"
#include "battle/Battle.h"
#include "battle/MatchReport.h"
#include "battle/ReplayFiles.h"
#include "field/Fieldmap.h"
#include "field/MapState.h"
#include "online/OnlineVersus.h"
#include "platform/Dialogs.h"
#include "platform/Display.h"
#include "platform/files/Files.h"
#include "platform/Translate.h"
#include "platform/Window.h"
#include "platform/backends/Start.h"
#include "screens/Vsmode.h"
#include "shell/Bramkoworld.h"
#include "shell/Game.h"
#include "shell/GameFiles.h"
#include "shell/GameMedia.h"
#include "shell/Random.h"
#include "platform/Language.h"
#include "settings/SettingsFile.h"
#include "shell/Unit1.h"

namespace {

// Every run starts from the program's start-up state, also when tests run many in one process.
void ResetAll() {
  // A scene an earlier run in this process left on screen goes with it, before its pointer is dropped.
  delete CurrentVersus;
  delete CurrentMapScene;
  ResetWorldState();
  ResetGameInputState();
  ResetMediaState();
  ResetMapState();
  ResetChipOwner();  // the chip owner alternates over one whole run
  ResetComPlayerRunState();
  LastMatch = MatchReport{};
  ForgetLastReplay();
}

// One copy per user. A copy of the same user already running: false, and the reason on
// standard error. With nowhere to put the lock at all the game still runs: refusing to
// start would cost more than two copies writing the same atomically replaced files.
bool TakeInstanceLock() {
  for (const std::string& path : InstanceLockPaths()) {
    if (!MakeFolderFor(path)) continue;
    switch (platform::AcquireInstanceLock(path)) {
      case platform::LockResult::Acquired: return true;
      case platform::LockResult::HeldByAnother:
        std::fprintf(stderr, "bramko2: %s\n", Format(Tr("すでに起動しています（ロック %s）。"), path.c_str()).c_str());
        return false;
      case platform::LockResult::Unavailable: break;
    }
  }
  std::fprintf(stderr, "bramko2: %s\n", Tr("二重起動を防ぐロックを置ける場所がありません。このまま起動します。"));
  return true;
}

// Started from a desktop menu nobody reads standard error: where a window can open, the
// refusal of a second copy is also said in the game's own message box.
void TellAlreadyRunning(const platform::StartOptions& start) {
  std::string error;
  if (start.kind != platform::BackendKind::Sdl || !platform::Start(start, &error)) return;
  platform::ShowMessage("Bramko2 for Windows", Tr("エラー。すでに使われています。"));
  platform::Stop();
}

// Before anything is said: --lang, else the setting, else the locale.
void ChooseLanguageAtStart(const std::string& commandLine) {
  const std::vector<std::string> available = AvailableLanguages();
  if (!commandLine.empty() && std::find(available.begin(), available.end(), commandLine) == available.end())
    std::fprintf(stderr, "bramko2: no texts for the language \"%s\"\n", commandLine.c_str());
  const std::string setting = ReadStoredSettings(SettingsFilePath()).language;
  SetLanguage(ChooseLanguage(commandLine, setting, platform::MessagesLocale(), available));
}

}  // namespace

int RunGame(const GameOptions& options) {
  if (!options.dir.empty()) platform::SetExecutableDir(options.dir);
  ChooseLanguageAtStart(options.language);
  if (options.singleInstance && !TakeInstanceLock()) {
    TellAlreadyRunning(options.start);
    return 1;
  }
  // The window opens as the player left it.
  const std::string settingsPath = SettingsFilePath();
  const platform::DisplayPrefs display = ReadDisplayPrefs(settingsPath);
  platform::SetDisplayPrefs(display);
  std::string error;
  if (!platform::Start(options.start, &error)) {
    std::fprintf(stderr, "bramko2: %s\n", error.c_str());
    return options.start.kind == platform::BackendKind::Sdl ? 2 : 1;
  }
  ResetAll();
  AssembleGame();
  int status = 0;
  {
    TForm1 form;
    if (ApplyStoredSettings) ApplyStoredSettings();
    if (options.haveSeed) SeedRandom(options.seed);
    if (options.afterCreate) options.afterCreate();
    if (options.matchRecord >= 0) {
      SetSceneStep(nullptr);
      RunStoryMatch(options.matchRecord, options.matchMap);
    } else if (options.versusMatch) {
      SetSceneStep(nullptr);
      RunVersusMatch();
    } else if (!options.replayFile.empty()) {
      SetSceneStep(nullptr);
      const ReplayOutcome outcome = WatchReplayFile(options.replayFile);
      status = outcome == ReplayOutcome::Played || outcome == ReplayOutcome::Stopped ? 0 : 1;
    } else if (options.onlineHost || !options.onlineJoin.empty()) {
      std::string error;
      const OnlineRole role = options.onlineHost    ? OnlineRole::Host
                              : options.onlineWatch ? OnlineRole::Spectator
                                                    : OnlineRole::Guest;
      if (StartOnlineFromCommandLine(role, options.onlineJoin, options.onlinePort, &error)) {
        platform::RunMessageLoop();
      } else {
        std::fprintf(stderr, "bramko2: %s\n", error.c_str());
        status = 1;
      }
    } else {
      platform::RunMessageLoop();
    }
    EndOnlineVersus();
    platform::CloseWindow();
  }
  WriteDisplayPrefs(settingsPath, display, platform::CurrentDisplayPrefs());
  if (!options.recordFile.empty()) {
    const std::vector<uint8_t>& bytes = LastReplayBytes();
    if (bytes.empty()) {
      std::fprintf(stderr, "bramko: no match was played, so there is nothing to record\n");
      status = 1;
    } else if (!platform::WriteFileAtomically(options.recordFile, std::string(bytes.begin(), bytes.end()))) {
      std::fprintf(stderr, "bramko: cannot write %s\n", options.recordFile.c_str());
      status = 1;
    }
  }
  platform::Stop();
  return status;
}
