// platform: SIGTERM / SIGINT end the game through the window's close; SIGXFSZ is ignored.
#include "platform/Signals.h"

#include <signal.h>

#include "platform/Window.h"

namespace platform {

namespace {

volatile sig_atomic_t g_terminate = 0;
bool g_installed = false;
struct sigaction g_oldTerm, g_oldInt, g_oldXfsz;

void OnTerminate(int sig) {
  if (g_terminate) {
    // Asked twice: the game did not get to it, so end the usual way for that signal.
    signal(sig, SIG_DFL);
    raise(sig);
    return;
  }
  g_terminate = 1;
}

}  // namespace

void InstallSignalHandlers() {
  if (g_installed) return;
  g_terminate = 0;
  struct sigaction sa = {};
  sa.sa_handler = OnTerminate;
  sigemptyset(&sa.sa_mask);
  sa.sa_flags = SA_RESTART;
  sigaction(SIGTERM, &sa, &g_oldTerm);
  sigaction(SIGINT, &sa, &g_oldInt);
  struct sigaction ignore = {};
  ignore.sa_handler = SIG_IGN;
  sigemptyset(&ignore.sa_mask);
  sigaction(SIGXFSZ, &ignore, &g_oldXfsz);
  g_installed = true;
}

void RestoreSignalHandlers() {
  if (!g_installed) return;
  sigaction(SIGTERM, &g_oldTerm, nullptr);
  sigaction(SIGINT, &g_oldInt, nullptr);
  sigaction(SIGXFSZ, &g_oldXfsz, nullptr);
  g_installed = false;
}

void NoticeTerminationSignal() {
  if (g_terminate && !WindowClosed()) CloseWindow();
}

}  // namespace platform
