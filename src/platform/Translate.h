// platform: the texts the player reads, looked up in the GNU gettext catalogue "bramko2".
// The sources are written in Japanese and their literals are the catalogue's keys: the
// Japanese game shows every literal as it stands, another language shows the catalogue's
// text for it (or the literal, when the catalogue has none).
//
// Markers xgettext looks for (po/make-pot.py): Tr("…") translates now, N_("…") only marks
// a literal kept in a table and translated where it is drawn, TrN("…", "…", n) picks a
// plural form.
#pragma once
#include <string>
#include <vector>

namespace platform {

// Reads the catalogues of language `code` ("ja": none, the literals as they stand) from the
// first folder of `localeFolders` that holds <code>/LC_MESSAGES/bramko2.mo. May be called
// again to change the language; the next lookup answers in the new one.
void SetCatalogueLanguage(const std::string& code, const std::vector<std::string>& localeFolders);
// The languages with a catalogue in any of the folders, "ja" first, the rest sorted.
std::vector<std::string> CatalogueLanguages(const std::vector<std::string>& localeFolders);
// The locale the user runs in for messages: LC_ALL, else LC_MESSAGES, else LANG (the first
// that is set and not empty); empty when none is.
std::string MessagesLocale();

// The file in the language of the game: "BRAMKO.HLP" is "BRAMKO.en.HLP" in English when
// there is one, else the file itself.
std::string TranslatedFile(const std::string& path);

const char* Translate(const char* msgid);
const char* TranslatePlural(const char* msgid, const char* msgidPlural, unsigned long n);

}  // namespace platform

inline const char* Tr(const char* msgid) __attribute__((format_arg(1)));
inline const char* Tr(const char* msgid) { return platform::Translate(msgid); }
inline std::string Tr(const std::string& msgid) { return platform::Translate(msgid.c_str()); }
inline const char* TrN(const char* msgid, const char* msgidPlural, unsigned long n) __attribute__((format_arg(1)));
inline const char* TrN(const char* msgid, const char* msgidPlural, unsigned long n) {
  return platform::TranslatePlural(msgid, msgidPlural, n);
}
constexpr const char* N_(const char* msgid) { return msgid; }

// printf into a string, for the translated sentences with placeholders.
std::string Format(const char* format, ...) __attribute__((format(printf, 1, 2)));
