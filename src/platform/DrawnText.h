// platform: a test-only observer of every text drawn, on a canvas (Canvas::TextOut) or in a
// message box, so a test can run the game in another language and look at what the player
// read. Nothing is observed unless a test sets an observer.
#pragma once
#include <functional>
#include <string>

namespace platform {

using DrawnTextObserver = std::function<void(const std::string& utf8)>;
// Sets the observer (an empty one stops observing).
void ObserveDrawnText(DrawnTextObserver observer);
// Where a text is drawn: hands it to the observer, if any.
void NoteDrawnText(const std::string& utf8);

}  // namespace platform
