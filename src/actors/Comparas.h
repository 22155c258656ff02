// actors: the computer opponents (module Comparas): one record per opponent with its name,
// looks, introduction texts and the numbers that tune the computer player.
#pragma once
#include <optional>
#include <span>
#include <string>
#include <vector>

// One row as written in the source, before the table checks it.
struct OpponentSource {
  const char* name;  // UTF-8
  int characterId;   // 0..19
  std::span<const char* const> profileLines;
  int fireWait, interceptLimit, reactPercent, chipLimit, fangSet, period, power;
};

struct OpponentRecord {
  std::string name;  // UTF-8, as returned by GetName
  int characterId = 0;
  // UTF-8 texts as the profile screen reads them: line 0 the name, the profile lines, the
  // spoken lines (each beginning with "「"), and the end mark "e" as the last entry.
  std::vector<std::string> profileLines;
  int fireWait = 0;        // base divisor of the firing roll; 999 = tactical firing
  int interceptLimit = 0;  // longest predicted time (frames) worth chasing an item
  int reactPercent = 0;    // bits 0-6: chance to react to a fang; bit 7: ignore new events
  int chipLimit = 0;       // cost limit for chasing own chips
  int fangSet = 0;
  int period = 2;  // acts every period + 1 frames
  int power = 16;  // fangPower = 10 * power, chipValue = power
  int reserved[2] = {0, 0};

  // Index of the first spoken line and of the "e" mark in profileLines.
  int firstSpokenLine = 0;
  int endLine = 0;
};

// True when the profile screen takes this line for a spoken one: the second byte of its
// Shift-JIS form is 0x75, the trail byte of "「".
bool IsSpokenProfileLine(const std::string& utf8);
// True for the end mark: a line beginning with "e".
bool IsProfileEndLine(const std::string& utf8);

// Checks one row's profile lines against the layout the profile screen reads; on failure
// says what is wrong in *error. Never looks past the end of the given lines.
bool CheckProfileLines(std::span<const char* const> lines, std::string* error);

class OpponentTable {
 public:
  static constexpr int kRecords = 23;

  // Builds a table from rows; a row whose profile lines break the layout, or whose numbers
  // are out of range, is refused and the whole table with it (message in *error).
  static std::optional<OpponentTable> Build(std::span<const OpponentSource> rows, std::string* error);

  int size() const { return static_cast<int>(records_.size()); }
  // Record by its place in the table, 0..size()-1; null outside.
  const OpponentRecord* At(int index) const;
  const OpponentRecord& operator[](int index) const { return records_[index]; }
  // First record drawn with this character id (the chapters name their opponents by it).
  const OpponentRecord* ByCharacterId(int id) const;
  // Place of a record of this table, or -1.
  int IndexOf(const OpponentRecord* record) const;

 private:
  std::vector<OpponentRecord> records_;
};

// The game's own 23 opponents, checked and built at first use.
const OpponentTable& Opponents();
// The rows they are built from (for the tests).
std::span<const OpponentSource> OpponentSources();
