// settings: choosing the language of the game and switching to it.
#include "settings/Language.h"

#include <algorithm>

#include "platform/Files.h"
#include "platform/Translate.h"

std::string LanguageOfLocale(const std::string& localeName) { return localeName.rfind("ja", 0) == 0 ? "ja" : "en"; }

std::string ChooseLanguage(const std::string& commandLine, const std::string& setting,
                           const std::string& localeName, const std::vector<std::string>& available) {
  auto known = [&](const std::string& code) {
    return !code.empty() && std::find(available.begin(), available.end(), code) != available.end();
  };
  if (known(commandLine)) return commandLine;
  if (known(setting)) return setting;
  const std::string fromLocale = LanguageOfLocale(localeName);
  return known(fromLocale) ? fromLocale : "ja";
}

std::vector<std::string> LocaleFolders() {
  return {platform::ExecutableDir() + "locale", platform::ExecutableDir() + "../share/locale"};
}

void SetLanguage(const std::string& code) {
  gLanguageCode = code;
  gLanguage = code == "ja" ? Language::Japanese : Language::English;
  platform::SetCatalogueLanguage(code, LocaleFolders());
}

std::vector<std::string> AvailableLanguages() { return platform::CatalogueLanguages(LocaleFolders()); }

std::string LanguageName(const std::string& code) {
  if (code == "ja") return "日本語";
  if (code == "en") return "English";
  return code;
}
