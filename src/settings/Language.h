// settings: which language the player reads the game in.
// Japanese is the game as it was written; the others come from the gettext catalogues in
// po/ and are read in Latin letters (pictures with English lettering, the Latin typing
// pace). One value for the whole game, chosen at start-up (--lang, else the setting, else
// the locale) and changed by the settings dialog; code that draws text, picks a picture
// with lettering or paces a typewriter asks it.
#pragma once
#include <string>
#include <vector>

enum class Language { Japanese, English };

inline Language gLanguage = Language::Japanese;
inline std::string gLanguageCode = "ja";  // the catalogue's language code

inline Language CurrentLanguage() { return gLanguage; }
inline bool EnglishGame() { return gLanguage == Language::English; }

// The language of a locale name such as "ja_JP.UTF-8": "ja" when it starts with "ja",
// otherwise "en".
std::string LanguageOfLocale(const std::string& localeName);
// What a run plays in: the command line's --lang, else the setting "Language", else the
// locale; a code without a catalogue among `available` counts as not given.
std::string ChooseLanguage(const std::string& commandLine, const std::string& setting,
                           const std::string& localeName, const std::vector<std::string>& available);

// Where the catalogues are: the build's locale/ beside the executable, or share/locale of
// an installed game.
std::vector<std::string> LocaleFolders();
// Switches the game to `code` (texts from the next lookup on).
void SetLanguage(const std::string& code);
// The languages there are catalogues for, "ja" first.
std::vector<std::string> AvailableLanguages();
// A language's own name for the settings dialog: 日本語, English, or the code itself.
std::string LanguageName(const std::string& code);
