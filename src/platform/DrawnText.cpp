// platform: the observer of the texts drawn.
#include "platform/DrawnText.h"

namespace platform {

namespace {
DrawnTextObserver g_observer;
}

void ObserveDrawnText(DrawnTextObserver observer) { g_observer = std::move(observer); }

void NoteDrawnText(const std::string& utf8) {
  if (g_observer) g_observer(utf8);
}

}  // namespace platform
