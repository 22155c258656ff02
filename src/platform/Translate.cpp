// platform: the gettext catalogue of the game's texts (glibc's libintl).
#include "platform/Translate.h"

#include <libintl.h>

#include <algorithm>
#include <clocale>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <filesystem>

// gettext caches what it has looked up; a change of LANGUAGE is seen once this moves.
extern "C" int _nl_msg_cat_cntr;

namespace platform {
namespace {

constexpr const char* kDomain = "bramko2";
constexpr const char* kSourceLanguage = "ja";
bool translating = false;
std::string language = kSourceLanguage;

bool HasCatalogue(const std::string& folder, const std::string& code) {
  std::error_code ec;
  return std::filesystem::is_regular_file(folder + "/" + code + "/LC_MESSAGES/" + kDomain + ".mo", ec);
}

}  // namespace

void SetCatalogueLanguage(const std::string& code, const std::vector<std::string>& localeFolders) {
  translating = code != kSourceLanguage;
  language = code;
  if (!translating) return;
  auto found = std::find_if(localeFolders.begin(), localeFolders.end(),
                            [&](const std::string& f) { return HasCatalogue(f, code); });
  if (found != localeFolders.end()) bindtextdomain(kDomain, found->c_str());
  bind_textdomain_codeset(kDomain, "UTF-8");
  // The game's language is its own choice, not the user's locale: LANGUAGE names it, and
  // gettext heeds LANGUAGE in any message locale but "C", so a "C" one becomes C.UTF-8.
  setenv("LANGUAGE", code.c_str(), 1);
  const char* now = std::setlocale(LC_MESSAGES, nullptr);
  if (!now || std::string(now) == "C" || std::string(now) == "POSIX") std::setlocale(LC_MESSAGES, "C.UTF-8");
  ++_nl_msg_cat_cntr;
}

std::vector<std::string> CatalogueLanguages(const std::vector<std::string>& localeFolders) {
  std::vector<std::string> codes;
  for (const std::string& folder : localeFolders) {
    std::error_code ec;
    for (const auto& entry : std::filesystem::directory_iterator(folder, ec)) {
      const std::string code = entry.path().filename().string();
      if (HasCatalogue(folder, code) && std::find(codes.begin(), codes.end(), code) == codes.end())
        codes.push_back(code);
    }
  }
  std::sort(codes.begin(), codes.end());
  std::erase(codes, kSourceLanguage);
  codes.insert(codes.begin(), kSourceLanguage);
  return codes;
}

std::string MessagesLocale() {
  for (const char* name : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
    const char* v = std::getenv(name);
    if (v && *v) return v;
  }
  return "";
}

std::string TranslatedFile(const std::string& path) {
  if (!translating) return path;
  const size_t dot = path.rfind('.');
  if (dot == std::string::npos || path.find('/', dot) != std::string::npos) return path;
  const std::string local = path.substr(0, dot) + "." + language + path.substr(dot);
  std::error_code ec;
  return std::filesystem::is_regular_file(local, ec) ? local : path;
}

const char* Translate(const char* msgid) { return translating ? dgettext(kDomain, msgid) : msgid; }

const char* TranslatePlural(const char* msgid, const char* msgidPlural, unsigned long n) {
  return translating ? dngettext(kDomain, msgid, msgidPlural, n) : msgid;
}

}  // namespace platform

std::string Format(const char* format, ...) {
  va_list args, again;
  va_start(args, format);
  va_copy(again, args);
  const int n = std::vsnprintf(nullptr, 0, format, args);
  va_end(args);
  std::string out(n > 0 ? n : 0, '\0');
  if (n > 0) std::vsnprintf(out.data(), out.size() + 1, format, again);
  va_end(again);
  return out;
}
