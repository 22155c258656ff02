// platform/headless: parsing of timed input scripts.
#include "platform/headless/HeadlessScript.h"

#include <algorithm>
#include <cctype>
#include <map>
#include <sstream>

namespace platform::headless {

int ParseVk(const std::string& word) {
  std::string w = word;
  std::transform(w.begin(), w.end(), w.begin(), [](unsigned char c) { return std::toupper(c); });
  static const std::map<std::string, int> names = {
      {"SPACE", 0x20}, {"ENTER", 0x0D}, {"RETURN", 0x0D}, {"ESC", 0x1B},   {"ESCAPE", 0x1B},
      {"TAB", 0x09},   {"LEFT", 0x25},  {"UP", 0x26},     {"RIGHT", 0x27}, {"DOWN", 0x28},
      {"SHIFT", 0x10}, {"CTRL", 0x11},  {"ALT", 0x12},    {"BACK", 0x08},
  };
  if (auto it = names.find(w); it != names.end()) return it->second;
  if (w.size() == 1 && (std::isalnum(static_cast<unsigned char>(w[0])))) return w[0];
  if (w.size() >= 2 && w[0] == 'F' && std::all_of(w.begin() + 1, w.end(), ::isdigit)) {
    int n = std::stoi(w.substr(1));
    if (n >= 1 && n <= 12) return 0x6F + n;
  }
  try {
    size_t used = 0;
    int v = std::stoi(word, &used, 0);
    if (used == word.size()) return v;
  } catch (...) {
  }
  return -1;
}

bool ParseScript(const std::string& text, std::vector<ScriptEvent>& out, std::string* error) {
  std::istringstream in(text);
  std::string line;
  int lineNo = 0;
  auto fail = [&](const std::string& why) {
    if (error) *error = "script line " + std::to_string(lineNo) + ": " + why;
    return false;
  };
  while (std::getline(in, line)) {
    ++lineNo;
    if (auto hash = line.find('#'); hash != std::string::npos) line.erase(hash);
    std::istringstream words(line);
    std::string ms, kind;
    if (!(words >> ms)) continue;
    if (!(words >> kind)) return fail("missing event");
    ScriptEvent ev;
    try {
      size_t used = 0;
      ev.ms = std::stoll(ms, &used);
      if (used != ms.size() || ev.ms < 0) return fail("bad time " + ms);
    } catch (...) {
      return fail("bad time " + ms);
    }
    std::string rest;
    std::getline(words, rest);
    rest.erase(0, rest.find_first_not_of(" \t"));
    rest.erase(rest.find_last_not_of(" \t\r") + 1);
    if (kind == "down" || kind == "up" || kind == "tap") {
      ev.vk = ParseVk(rest);
      if (ev.vk < 0) return fail("unknown key " + rest);
      if (kind == "tap") {
        ev.kind = "down";
        out.push_back(ev);
        ev.kind = "up";
        ev.ms += 60;
        out.push_back(ev);
        continue;
      }
    } else if (kind == "shot" || kind == "menu") {
      if (rest.empty()) return fail(kind + " needs an argument");
    } else if (kind == "focus") {
      if (rest != "on" && rest != "off") return fail("focus needs on or off");
    } else if (kind == "joy") {
      if (rest.empty()) return fail("joy needs an id and values");
    } else if (kind != "close" && kind != "expose") {
      return fail("unknown event " + kind);
    }
    ev.kind = kind;
    ev.arg = rest;
    out.push_back(ev);
  }
  std::stable_sort(out.begin(), out.end(), [](const ScriptEvent& a, const ScriptEvent& b) { return a.ms < b.ms; });
  return true;
}

}  // namespace platform::headless
