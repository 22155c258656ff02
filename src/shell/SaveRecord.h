// shell: the byte layout of the progress file, apart from the file and the game's globals:
// four 32-bit little-endian walk limits, then the three one-time scene flags.
#pragma once
#include <cstdint>
#include <string>

constexpr int kSaveFileSize = 19;

struct SaveRecord {
  int32_t mapProgress[4] = {};
  unsigned char flags[3] = {};  // journey introduction, venue arrival, DoraQ opening
};

// The 19 bytes of a record.
std::string EncodeSaveRecord(const SaveRecord& record);
// Takes what the bytes hold into the record: a value cut short by their end receives only
// the bytes there, as its low-order bytes; what lies past the end keeps its contents, and
// bytes past the 19th are not looked at.
void DecodeSaveRecord(const std::string& bytes, SaveRecord& record);
