// platform: the backend in use and the calls that forward to it.
#include "platform/Platform.h"

#include <atomic>

#include "platform/Backend.h"
#include "platform/DrawnText.h"
#include "platform/Signals.h"
#include "platform/Translate.h"
#include "platform/Window.h"

namespace platform {

namespace {
std::atomic<uint64_t> g_presents{0};
// Never destroyed at exit: Xlib ends the program with exit() from inside the backend when
// the display goes away, and tearing the window down then waits on that display for ever.
// Stop() is the one place a backend ends.
std::unique_ptr<Backend>& g_backend = *new std::unique_ptr<Backend>;
bool g_headless = false;
int g_modalDepth = 0;  // modal windows open (one may open another)
std::function<void()> g_pumpObserver;
bool g_observing = false;
bool g_keysPumped = false;  // events were pumped for a key read at g_keysPumpedAt
uint32_t g_keysPumpedAt = 0;

// Every modal window goes through here, so the input is held for exactly as long as one is up.
class ModalScope {
 public:
  ModalScope() { ++g_modalDepth; }
  ~ModalScope() { --g_modalDepth; }
  ModalScope(const ModalScope&) = delete;
  ModalScope& operator=(const ModalScope&) = delete;
};

}  // namespace

Backend* CurrentBackend() { return g_backend.get(); }
void CountPresent() { g_presents.fetch_add(1, std::memory_order_relaxed); }
uint64_t PresentCount() { return g_presents.load(std::memory_order_relaxed); }

bool StartBackend(const StartOptions& options, std::string* error, BackendMaker make) {
  Stop();
  ResetWindow();
  g_headless = options.kind == BackendKind::Headless;
  InstallSignalHandlers();  // before SDL starts, which then leaves them alone
  g_backend = make(options, error);
  if (!g_backend) RestoreSignalHandlers();
  return g_backend != nullptr;
}

void Stop() {
  g_backend.reset();
  g_keysPumped = false;
  g_pumpObserver = nullptr;  // it belonged to that run
  RestoreSignalHandlers();
}
bool Started() { return g_backend != nullptr; }
bool IsHeadless() { return g_headless; }

uint32_t TickCount() { return g_backend ? g_backend->Ticks() : 0; }
void SleepMs(uint32_t ms) {
  NoticeTerminationSignal();
  if (g_backend) g_backend->Sleep(ms);
}
void WaitInput(uint32_t ms) {
  NoticeTerminationSignal();
  if (g_backend) g_backend->WaitInput(ms);
}
void SpinTurn(uint32_t remainingMs) {
  NoticeTerminationSignal();
  if (g_backend) g_backend->Spin(remainingMs);
}
void Service() {
  NoticeTerminationSignal();
  if (g_backend) g_backend->Service();
}
void PresentFrame() {
  if (g_backend) g_backend->PresentFrame();
}

bool InputHeld() { return g_modalDepth > 0 || (g_backend && g_backend->MenuOpen()); }

void DropPendingPresses() {
  if (g_backend) g_backend->DropPendingPresses();
}

void SetPumpObserver(std::function<void()> observer) { g_pumpObserver = std::move(observer); }

void NotifyPumped() {
  if (!g_pumpObserver || g_observing) return;  // an observer that pumps does not recurse
  g_observing = true;
  g_pumpObserver();
  g_observing = false;
}

bool KeyDown(int vk) {
  if (!g_backend || vk <= 0 || vk > 254 || InputHeld()) return false;
  // One poll reads many keys in the same millisecond (a battle frame reads twenty-odd):
  // pumping once per tick keeps every read current without a pump per key.
  const uint32_t now = g_backend->Ticks();
  if (!g_keysPumped || g_keysPumpedAt != now) {
    NoticeTerminationSignal();
    g_backend->PumpEvents();
    g_keysPumped = true;
    g_keysPumpedAt = now;
  }
  return g_backend->ReadKey(vk);
}

bool JoyGetDevCaps(int id, JoyCaps& caps) { return g_backend && g_backend->JoyCaps(id, caps); }
bool JoyGetPos(int id, JoyPos& pos) { return g_backend && g_backend->JoyPos(id, pos); }
bool EscapeFromPad() { return g_backend && g_backend->EscapeFromPad(); }
std::string JoyName(int id) { return g_backend ? g_backend->JoyName(id) : ""; }
void JoyRumble(int id, unsigned strength, unsigned ms) {
  if (g_backend) g_backend->JoyRumble(id, strength, ms);
}
void AddPadMappings(const std::string& file) {
  if (g_backend) g_backend->AddPadMappings(file);
}

int ShowMessage(const std::string& caption, const std::string& text, MsgButtons buttons) {
  if (!g_backend) return buttons == MsgButtons::YesNo ? kMsgNo : kMsgOk;
  NoteDrawnText(caption);
  NoteDrawnText(text);
  ModalScope modal;
  return g_backend->Message(caption, text, buttons);
}

int RunModal(const std::function<int()>& drawFrame) {
  if (!g_backend) return kMsgCancel;
  ModalScope modal;
  return g_backend->Modal(drawFrame);
}

namespace {
std::string g_lastHelp;
DisplayPrefs g_display;  // what the next window opens with
}  // namespace

void SetDisplayPrefs(const DisplayPrefs& prefs) {
  g_display = prefs;
  if (g_backend) g_backend->ApplyDisplay(prefs);
}
DisplayPrefs CurrentDisplayPrefs() { return g_backend ? g_backend->Display() : g_display; }
DisplayPrefs StartDisplayPrefs() { return g_display; }
void ShowHelp(const std::string& helpFile, const std::string& keyword) {
  g_lastHelp = helpFile + "#" + keyword;
  if (!g_backend) return;
  ModalScope modal;
  g_backend->Help(TranslatedFile(helpFile), keyword);
}
std::string LastHelpRequest() { return g_lastHelp; }

}  // namespace platform
