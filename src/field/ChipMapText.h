// field: reading the text of an arena map file into chip numbers.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

struct ChipMapText {
  int columns = 0, rows = 0;
  std::vector<int8_t> chips;  // rows x columns; chips a short row does not give are 0
};

// Splits one line into fields: commas and blanks (codes up to 32) separate, blanks around
// a comma belong to it, a field may be quoted ("" inside quotes is one quote), a comma at
// the very end of the line gives one more, empty field. A NUL byte ends the line.
std::vector<std::string> SplitMapFields(const std::string& line);

// Parses the whole file. False when it is not a map: no first line, a first line without
// fields, a field that is not a whole number of 32 bits, or a map too large to hold.
bool ParseChipMap(const std::string& text, ChipMapText& out);
