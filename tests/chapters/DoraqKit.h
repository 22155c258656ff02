// Test kit of the DoraQ chapter: the whole game run headless with a probe every 5 ms of
// virtual time (a scripted menu click, so it runs inside the cut-scenes' waits too). The
// probe notes what the picture frame shows, the music, the effect and the scene whenever
// they change; a driver hook may act on what it sees.
#pragma once
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace doraq_test {

struct Mark {
  int64_t ms;
  std::string what;
};

struct Watch {
  // The frame (128, 1)-(512, 257): a cut-scene picture by name; "AOPB@0" the island one
  // pixel higher (opening step 3); "field" the picture the map field holds (the masked map
  // in a cut-scene); "CHAP_A" / "AENDING" when all of 640 x 400 is that picture; "" else.
  std::vector<Mark> frames;
  std::vector<Mark> music, sounds;
  std::vector<Mark> scenes;  // SceneName, with "+step" while FieldMapStep is installed
  std::function<void()> each;
  std::string closeOn;  // the run ends 200 ms after this scene note first appears
  int64_t closeAt = -1;
};

// Default keys of player 1, and Escape.
enum Keys : int { kLeft = 'F', kRight = 'H', kSelect = 'X', kCancel = 'Z', kEscape = 0x1B };

// The game on its default keys in a fresh folder holding the arena maps (and then the save
// file); inside runs once the window is up.
void RunGameWith(const std::string& script, int64_t untilMs, Watch& watch, const std::function<void()>& inside);
const std::string& RunDir();
int64_t Now();
void Tap(int vk, int64_t inMs = 1, int64_t holdMs = 60);

int Find(const std::vector<Mark>& marks, const std::string& what, int from = 0);
int64_t At(const std::vector<Mark>& marks, const std::string& what, int from = 0);
// The names in order, "" left out and repeats in a row merged, joined by spaces.
std::string Sequence(const std::vector<Mark>& marks);
// The probe may note each change up to 4 ms late.
inline bool Near(int64_t got, int64_t want) { return got >= want - 5 && got <= want + 12; }

// White type of the given size on black at (x, y) on screen.
bool ShowsText(int x, int y, const std::string& text, int size = 14);
int TextWidth(const std::string& text);
// The screen shows the map picture "DoraQSTAGE" unmasked (its moon).
bool ShowsIsland();

}  // namespace doraq_test
