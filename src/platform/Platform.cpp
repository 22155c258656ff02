// platform: the backend in use and the calls that forward to it.
#include "platform/Platform.h"

#include <atomic>

#include "platform/Backend.h"
#include "platform/Window.h"

namespace platform {

namespace {
std::atomic<uint64_t> g_presents{0};
std::unique_ptr<Backend> g_backend;
bool g_headless = false;
bool g_keysPumped = false;  // events were pumped for a key read at g_keysPumpedAt
uint32_t g_keysPumpedAt = 0;
}  // namespace

Backend* CurrentBackend() { return g_backend.get(); }
void CountPresent() { g_presents.fetch_add(1, std::memory_order_relaxed); }
uint64_t PresentCount() { return g_presents.load(std::memory_order_relaxed); }

bool Start(const StartOptions& options, std::string* error) {
  Stop();
  ResetWindow();
  g_headless = options.kind == BackendKind::Headless;
  g_backend = g_headless ? MakeHeadlessBackend(options, error) : MakeSdlBackend(error);
  return g_backend != nullptr;
}

void Stop() {
  g_backend.reset();
  g_keysPumped = false;
}
bool Started() { return g_backend != nullptr; }
bool IsHeadless() { return g_headless; }

uint32_t TickCount() { return g_backend ? g_backend->Ticks() : 0; }
void SleepMs(uint32_t ms) {
  if (g_backend) g_backend->Sleep(ms);
}
void SpinTurn(uint32_t remainingMs) {
  if (g_backend) g_backend->Spin(remainingMs);
}
void Service() {
  if (g_backend) g_backend->Service();
}
void PresentFrame() {
  if (g_backend) g_backend->PresentFrame();
}

bool KeyDown(int vk) {
  if (!g_backend || vk <= 0 || vk > 254) return false;
  // One poll reads many keys in the same millisecond (a battle frame reads twenty-odd):
  // pumping once per tick keeps every read current without a pump per key.
  const uint32_t now = g_backend->Ticks();
  if (!g_keysPumped || g_keysPumpedAt != now) {
    g_backend->PumpEvents();
    g_keysPumped = true;
    g_keysPumpedAt = now;
  }
  return g_backend->ReadKey(vk);
}

bool JoyGetDevCaps(int id, JoyCaps& caps) { return g_backend && g_backend->JoyCaps(id, caps); }
bool JoyGetPos(int id, JoyPos& pos) { return g_backend && g_backend->JoyPos(id, pos); }

int ShowMessage(const std::string& caption, const std::string& text, MsgButtons buttons) {
  if (!g_backend) return buttons == MsgButtons::YesNo ? kMsgNo : kMsgOk;
  return g_backend->Message(caption, text, buttons);
}

int RunModal(const std::function<int()>& drawFrame) {
  return g_backend ? g_backend->Modal(drawFrame) : kMsgCancel;
}

namespace {
std::string g_lastHelp;
DisplayPrefs g_display;  // what the next window opens with
}

void SetDisplayPrefs(const DisplayPrefs& prefs) {
  g_display = prefs;
  if (g_backend) g_backend->ApplyDisplay(prefs);
}
DisplayPrefs CurrentDisplayPrefs() { return g_backend ? g_backend->Display() : g_display; }
DisplayPrefs StartDisplayPrefs() { return g_display; }
void ShowHelp(const std::string& helpFile, const std::string& keyword) {
  g_lastHelp = helpFile + "#" + keyword;
  if (g_backend) g_backend->Help(helpFile, keyword);
}
std::string LastHelpRequest() { return g_lastHelp; }

}  // namespace platform
