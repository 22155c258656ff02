// settings: which language the player reads the game in.
// Japanese is the game as it was written; English is ours. One value for the whole run, set at
// start-up (setting, locale or --lang) before the first screen; code that draws text, picks a
// picture with lettering or paces a typewriter asks it.
#pragma once

enum class Language { Japanese, English };

inline Language gLanguage = Language::Japanese;

inline Language CurrentLanguage() { return gLanguage; }
inline bool EnglishGame() { return gLanguage == Language::English; }
