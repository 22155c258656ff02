// Test kit of the DoraQ chapter: the whole game run headless with a probe every 5 ms of
// virtual time (a scripted menu click, so it also runs inside the cut-scenes' waits). The
// probe names what the cut-scene frame shows and notes the music, the effect and the scene
// whenever they change; a driver hook may act on what it sees.
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
  // What the picture frame (128, 1)-(512, 257) shows: a cut-scene picture by name,
  // "AOPB@0" for the island one pixel higher (opening step 3), "field" for the picture the
  // map field holds (the masked map during a cut-scene), "CHAP_A" / "AENDING" when the
  // whole 640 x 400 area is that picture, "" for anything else.
  std::vector<Mark> frames;
  std::vector<Mark> music;   // CurrentMusic
  std::vector<Mark> sounds;  // CurrentSound
  std::vector<Mark> scenes;  // SceneName, with "+step" while the map's step is installed
  std::function<void()> each;  // runs at every probe after the notes
  // The run ends 200 ms after the scene note first reads this (when not empty).
  std::string closeOn;
  int64_t closeAt = -1;
};

// Runs the game on the default keys in a fresh folder that holds the arena maps (the save
// file goes there too); inside runs once the window is up. Scenes left are dropped.
void RunGameWith(const std::string& script, int64_t untilMs, Watch& watch, const std::function<void()>& inside);

// The folder of the last run.
const std::string& RunDir();

int64_t Now();
// A key pressed inMs from now and let go holdMs later.
void Tap(int vk, int64_t inMs = 1, int64_t holdMs = 60);

// Index of the first mark naming what at or after index from, or -1.
int Find(const std::vector<Mark>& marks, const std::string& what, int from = 0);
// The names in order, without repeats of the same name in a row and without "".
std::vector<std::string> Sequence(const std::vector<Mark>& marks);
std::string Join(const std::vector<std::string>& names);

// True when the screen shows text at (x, y) in white type of the given size on black.
bool ShowsText(int x, int y, const std::string& text, int size = 14);
int TextWidth(const std::string& text, int size = 14);
// True when the screen's rectangle equals the same rectangle of the named picture at (dx, dy).
bool ShowsPicture(const std::string& name, int dx, int dy, int sx, int sy, int w, int h);

// Default keys of player 1.
enum Keys : int { kUp = 'T', kDown = 'G', kLeft = 'F', kRight = 'H', kSelect = 'X', kCancel = 'Z', kEscape = 0x1B };

}  // namespace doraq_test
