// settings: the value formats of the settings file: integers in the form library's text
// form and comma-separated key lists. Pure text rules, no file and no game state.
#include "settings/SettingsText.h"

#include <cstdint>

namespace {

bool IsHex(char c) { return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F'); }
int HexValue(char c) { return c <= '9' ? c - '0' : (c | 0x20) - 'a' + 10; }

// A number in the form library's text form: optional sign, then decimal digits, or "$" and
// hexadecimal digits (32 bits, wrapping). Nothing else may follow.
bool ToInteger(const std::string& text, int* out) {
  size_t i = 0;
  while (i < text.size() && static_cast<unsigned char>(text[i]) <= ' ') ++i;
  bool neg = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) neg = text[i++] == '-';
  if (i >= text.size()) return false;
  if (text[i] == '$') {
    ++i;
    if (i >= text.size() || text.size() - i > 8) return false;
    uint32_t v = 0;
    for (; i < text.size(); ++i) {
      if (!IsHex(text[i])) return false;
      v = v * 16 + static_cast<uint32_t>(HexValue(text[i]));
    }
    *out = static_cast<int>(neg ? 0u - v : v);
    return true;
  }
  int64_t v = 0;
  for (; i < text.size(); ++i) {
    if (text[i] < '0' || text[i] > '9') return false;
    v = v * 10 + (text[i] - '0');
    if (v > 2147483648LL) return false;
  }
  if (neg) v = -v;
  if (v > INT32_MAX || v < INT32_MIN) return false;
  *out = static_cast<int>(v);
  return true;
}

// The form library's comma text: items end at a comma or at a space or control character,
// an item may be quoted ("" inside quotes is one quote).
std::vector<std::string> SplitCommaText(const std::string& text) {
  std::vector<std::string> items;
  auto blank = [&](size_t i) {
    return i < text.size() && text[i] != '\0' && static_cast<unsigned char>(text[i]) <= ' ';
  };
  size_t p = 0;
  while (blank(p)) ++p;
  while (p < text.size() && text[p] != '\0') {
    std::string item;
    if (text[p] == '"') {
      ++p;
      while (p < text.size()) {
        if (text[p] == '"') {
          if (p + 1 < text.size() && text[p + 1] == '"') {
            item += '"';
            p += 2;
            continue;
          }
          ++p;
          break;
        }
        item += text[p++];
      }
    } else {
      size_t from = p;
      while (p < text.size() && static_cast<unsigned char>(text[p]) > ' ' && text[p] != ',') ++p;
      item = text.substr(from, p - from);
    }
    items.push_back(item);
    while (blank(p)) ++p;
    if (p < text.size() && text[p] == ',') {
      do ++p;
      while (blank(p));
    }
  }
  return items;
}

}  // namespace

int ParseSettingsInteger(const std::string& text, int def) {
  std::string t = text;
  if (t.size() > 2 && t[0] == '0' && (t[1] == 'x' || t[1] == 'X')) t = "$" + t.substr(2);
  int v = 0;
  return ToInteger(t, &v) ? v : def;
}

std::vector<int> ParseKeyList(const std::string& text) {
  std::vector<int> codes;
  for (const std::string& item : SplitCommaText(text)) {
    if (item.empty()) continue;
    int code = 0;
    // An item that is no number is skipped: the keys after it still count, which is
    // kinder to a hand-edited file than stopping there.
    if (!ToInteger(item, &code) || code == 0) continue;
    codes.push_back(code);
  }
  return codes;
}

std::string FormatKeyList(const std::vector<int>& codes) {
  std::string s;
  for (int c : codes) s += std::to_string(c) + ",";
  return s;
}

std::string KeyListSection(int player) { return "キーカスタマイズ　PLAYER" + std::to_string(player); }
std::string KeyListKey(int function) { return "KEY_FUNC" + std::to_string(function + 1); }
