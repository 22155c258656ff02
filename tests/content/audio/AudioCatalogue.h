// What the game's sound and music files must be: names as the game opens them, and the
// lengths and shapes that fit where each is played.
#pragma once
#include <ostream>
#include <string>
#include <vector>

struct EffectShape {
  std::string name;  // file is name + ".wav"
  double minSeconds, maxSeconds;
};

struct TuneShape {
  std::string name;  // file is name + ".mid"
  double minSeconds, maxSeconds;
  bool loops;  // restarted by the music keeper: must end on a whole bar with no dead air
  bool drums;  // has a part on the GM drum channel
};

inline const std::vector<EffectShape>& effectCatalogue() {
  static const std::vector<EffectShape> effects = {
      {"FangHit", 0.1, 0.5},  {"DrawScore", 0.2, 0.8}, {"GetItem", 0.2, 0.8},    {"GetTip", 0.05, 0.4},
      {"Jump", 0.1, 0.5},     {"MissTip", 0.1, 0.6},   {"RoundScore", 1.0, 5.0}, {"Barrier", 0.2, 0.9},
      {"talk", 0.015, 0.045},  // the profile typewriter types a character every 45 ms
      {"bu", 0.5, 1.5},       {"crush", 0.4, 1.5},     {"fall", 1.5, 4.0},       {"daijump", 0.4, 1.2},
      {"Gan", 0.4, 1.5},      {"hensin", 0.8, 2.0},    {"hensin2", 1.0, 2.5},
  };
  return effects;
}

inline const std::vector<TuneShape>& tuneCatalogue() {
  static const std::vector<TuneShape> tunes = {
      {"DQend", 35, 70, true, true},    {"fight", 90, 120, true, true},  {"doraq", 60, 100, true, true},
      {"bramko", 55, 85, true, true},   {"select", 30, 60, true, true},  {"fanfare", 4, 10, false, true},
      {"reporter", 25, 60, true, true}, {"field", 40, 75, true, true},   {"kokuhaku", 40, 80, true, false},
      {"yui", 35, 70, true, true},      {"KRend", 100, 150, true, true}, {"event", 3, 8, false, true},
  };
  return tunes;
}

inline std::string runtimeFile(const std::string& name) { return std::string(BRAMKO_RUNTIME_DIR) + "/" + name; }

// Names in test output instead of raw bytes.
inline void PrintTo(const TuneShape& want, std::ostream* os) { *os << want.name; }
