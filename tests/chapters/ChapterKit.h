// Test kit of the chapter suite: the whole game headless from the title, driven by cues
// (a condition on the game's state, then an action such as a key tap), with a lever that
// decides each battle round as it starts and a log of the music and of the opponents met.
#pragma once
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "platform/Bitmap.h"

namespace chapters_test {

// Player 1's default keys.
enum Key : int { kUp = 'T', kDown = 'G', kLeft = 'F', kRight = 'H', kSelect = 'X', kCancel = 'Z' };

int64_t Now();
// Presses the keys together from the next millisecond on and lets them go holdMs later.
void Tap(const std::vector<int>& keys, int64_t holdMs = 60);
inline void Tap(int key) { Tap(std::vector<int>{key}); }

// How a round ends: the energies the fighters have when the lever ends it.
struct Round {
  int left, right;
};
inline Round Won() { return {1200, 0}; }
inline Round Lost() { return {0, 1200}; }

struct Cue {
  std::function<bool()> ready;
  std::function<void()> act;
};

struct ChapterRun {
  std::vector<Cue> cues;         // taken in order: each waits for its condition
  std::vector<Round> rounds;     // the battle rounds, in the order they are fought
  std::function<void()> before;  // once the main window exists (the title is up)
  std::function<void()> every;   // at every probe (20 ms of virtual time)
  int64_t untilMs = 60000;
  std::string language = "ja";  // the game's language (--lang)

  size_t cuesDone = 0;
  int64_t lastCueAt = 0;
  std::vector<int> opponents;      // character id of each opponent fought, in order
  std::vector<std::string> music;  // the current music at each change
  std::string dir;                 // the game's folder (save and settings files)
};

// Runs the game on the run's cues from the title. The scenes left on screen stay alive
// for the test to look at; the next Play (or the end of the program) drops them.
void Play(ChapterRun& run);

// The named waypoint map is on screen and waiting for keys.
bool OnMap(const char* sceneName);
// The profile screen waits for the fight to be started.
bool OnProfile();
// At least ms have passed since the last cue acted.
bool Since(int64_t ms);
// Saves the visible canvas (or the given frame) as <name>.png into the folder that
// BRAMKO_SHOTS names, if it is set.
bool ShotsAsked();
void ShotIfAsked(const std::string& name);
void ShotIfAsked(const std::string& name, const platform::Bitmap& frame);
// True when some pixel in the rectangle of the visible canvas differs from the picture's.
bool DiffersFrom(const platform::Bitmap& picture, const platform::Rect& r);
// Whether the music log holds this tune.
bool Heard(const ChapterRun& run, const std::string& tune);

}  // namespace chapters_test
