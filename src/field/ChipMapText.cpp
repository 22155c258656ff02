// field: the arena map file format. Line 0 decides the column count, the number of lines
// the row count; every value is kept as a signed 8-bit number (300 becomes 44).
#include "field/ChipMapText.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>

namespace {

// A map this large is not an arena; refusing it keeps a hostile file from eating memory.
constexpr int64_t kMaxChips = int64_t{1} << 22;
constexpr int64_t kMaxEdgeChips = int64_t{1} << 20;

bool IsBlank(unsigned char c) { return c >= 1 && c <= 32; }

// Optional sign and decimal digits, within 32 bits; anything else is not a whole number.
bool ReadWholeNumber(const std::string& s, int32_t& value) {
  size_t i = 0;
  bool negative = false;
  if (i < s.size() && (s[i] == '+' || s[i] == '-')) negative = s[i++] == '-';
  if (i == s.size()) return false;
  int64_t v = 0;
  for (; i < s.size(); ++i) {
    if (s[i] < '0' || s[i] > '9') return false;
    v = v * 10 + (s[i] - '0');
    if (v > int64_t{1} << 31) return false;
  }
  if (negative) v = -v;
  if (v > INT32_MAX || v < INT32_MIN) return false;
  value = static_cast<int32_t>(v);
  return true;
}

}  // namespace

std::vector<std::string> SplitMapFields(const std::string& line) {
  std::vector<std::string> fields;
  const size_t end = std::min(line.find('\0'), line.size());
  size_t p = 0;
  auto at = [&](size_t i) -> unsigned char { return i < end ? static_cast<unsigned char>(line[i]) : 0; };
  while (IsBlank(at(p))) ++p;
  while (p < end) {
    std::string field;
    if (at(p) == '"') {
      ++p;
      while (p < end) {
        if (at(p) == '"') {
          if (at(p + 1) == '"') {
            field += '"';
            p += 2;
            continue;
          }
          ++p;
          break;
        }
        field += static_cast<char>(at(p++));
      }
    } else {
      const size_t start = p;
      while (p < end && at(p) > 32 && at(p) != ',') ++p;
      field.assign(line, start, p - start);
    }
    fields.push_back(std::move(field));
    while (IsBlank(at(p))) ++p;
    if (at(p) == ',') {
      if (p + 1 >= end) fields.emplace_back();
      do ++p;
      while (IsBlank(at(p)));
    }
  }
  return fields;
}

bool ParseChipMap(const std::string& text, ChipMapText& out) {
  // Lines end at LF, with an optional CR before it; text after the last LF is one more line.
  std::vector<std::string> lines;
  size_t start = 0;
  while (start < text.size()) {
    size_t nl = text.find('\n', start);
    size_t stop = nl == std::string::npos ? text.size() : nl;
    size_t len = stop - start;
    if (len > 0 && text[stop - 1] == '\r') --len;
    lines.emplace_back(text, start, len);
    if (nl == std::string::npos) break;
    start = nl + 1;
  }
  if (lines.empty()) return false;

  const std::vector<std::string> first = SplitMapFields(lines[0]);
  const int64_t columns = static_cast<int64_t>(first.size()), rows = static_cast<int64_t>(lines.size());
  if (columns == 0 || columns > kMaxEdgeChips || rows > kMaxEdgeChips || columns * rows > kMaxChips) return false;

  ChipMapText map;
  map.columns = static_cast<int>(columns);
  map.rows = static_cast<int>(rows);
  map.chips.assign(static_cast<size_t>(columns * rows), 0);
  for (int64_t r = 0; r < rows; ++r) {
    const std::vector<std::string> fields = r == 0 ? first : SplitMapFields(lines[static_cast<size_t>(r)]);
    const int64_t n = std::min<int64_t>(columns, static_cast<int64_t>(fields.size()));
    for (int64_t j = 0; j < n; ++j) {
      int32_t v;
      if (!ReadWholeNumber(fields[static_cast<size_t>(j)], v)) return false;
      map.chips[static_cast<size_t>(r * columns + j)] = static_cast<int8_t>(static_cast<uint8_t>(v & 0xFF));
    }
  }
  out = std::move(map);
  return true;
}
