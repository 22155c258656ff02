// battle: encoding and reading replay files.
//
// Layout (integers little-endian; "varint" is 7 bits a byte, low first; "zigzag" a signed
// varint):
//   "BRPL", u16 format, u16 rules version, u8 length + the game's version text,
//   varint seconds since 1970 when the match began (not in format 1),
//   setup: u32 seed, u8 chip owner, varint switch counter, u8 switch pattern, u8 mode,
//          u8 map, u8 opponent (255: none), u8 its character, u16 x2 fang power,
//          u8 x2 fang set, u8 frame period, u16 round seconds, u16 chip interval,
//   tape, one byte code an entry:
//     1s bbbbbb   side s reads bits b from now on
//     01 nnnnnn   n + 1 frames begin            0x01 varint n   n frames begin
//     0x02 u32    checksum                      0x03 u8         the round stops (RoundStop)
//     0x04        pause key                     0x05 u8 kind, varint ms, u8 result: a wait
//     0x06        the window is closing         0x07            end of the tape
//   result: varint result, per fighter zigzag energy, score, rounds won, chips, items, hits,
//   u32 FNV-1a of every byte before it.
#include "battle/ReplayFormat.h"

#include <algorithm>
#include <cstring>
#include <limits>

#include "actors/BattleState.h"
#include "shell/Bramkoworld.h"
#include "shell/ByteFields.h"
#include "shell/Game.h"

namespace {

constexpr char kMagic[4] = {'B', 'R', 'P', 'L'};
constexpr uint8_t kNoOpponent = 255;
constexpr int kOpponents = 23;
constexpr uint8_t kBitsCode = 0x80, kShortAdvance = 0x40;
enum : uint8_t { kAdvance = 1, kChecksum, kStop, kPause, kWait, kClosing, kEnd };
constexpr size_t kMaxVersionLength = 32;
constexpr uint16_t kFormatWithoutTime = 1;
constexpr uint64_t kLatestTime = uint64_t{1} << 40;  // some 35,000 years

class Writer : public ByteWriter {
 public:
  void Var(uint64_t v) {
    while (v >= 0x80) {
      U8((v & 0x7F) | 0x80);
      v >>= 7;
    }
    U8(static_cast<uint32_t>(v));
  }
  void Zig(int64_t v) { Var((static_cast<uint64_t>(v) << 1) ^ (0 - (static_cast<uint64_t>(v) >> 63))); }
  void Advance(uint32_t frames) {
    if (frames == 0) return;
    if (frames <= 64) {
      U8(kShortAdvance | (frames - 1));
    } else {
      U8(kAdvance);
      Var(frames);
    }
  }
};

// Reads within the bytes; any read past their end marks the reading failed.
class Reader : public ByteReader {
 public:
  using ByteReader::ByteReader;
  // The shortest form only: one value, one way to write it.
  uint64_t Var() {
    uint64_t v = 0;
    for (int shift = 0; shift < 64; shift += 7) {
      const uint8_t b = U8();
      v |= static_cast<uint64_t>(b & 0x7F) << shift;
      if (!(b & 0x80)) {
        if (b == 0 && shift > 0) ok_ = false;
        return v;
      }
    }
    ok_ = false;  // longer than any 64-bit value
    return 0;
  }
  // A varint within [lo, hi]; anything else fails the reading.
  uint64_t VarWithin(uint64_t lo, uint64_t hi) {
    const uint64_t v = Var();
    if (v < lo || v > hi) ok_ = false;
    return ok_ ? v : 0;
  }
  int64_t Zig() {
    const uint64_t v = Var();
    return static_cast<int64_t>(v >> 1) ^ -static_cast<int64_t>(v & 1);
  }
  // A value that must lie within [lo, hi]; anything else fails the reading.
  template <class T>
  T Within(int64_t v, int64_t lo, int64_t hi) {
    if (v < lo || v > hi) ok_ = false;
    return ok_ ? static_cast<T>(v) : T{};
  }
};

void WriteSetup(Writer& w, const ReplaySetup& s) {
  w.U32(s.seed);
  w.U8(s.chipOwner);
  w.Var(s.switchCounter);
  w.U8(s.switchPattern);
  w.U8(s.mode);
  w.U8(s.mapId);
  w.U8(s.opponent < 0 ? kNoOpponent : static_cast<uint8_t>(s.opponent));
  w.U8(s.opponentCharacter);
  for (uint16_t p : s.fangPower) w.U16(p);
  for (uint8_t f : s.fangSet) w.U8(f);
  w.U8(s.framePeriodMs);
  w.U16(s.roundSeconds);
  w.U16(s.chipInterval);
}

void ReadSetup(Reader& r, ReplaySetup& s) {
  s.seed = r.U32();
  s.chipOwner = r.Within<uint8_t>(r.U8(), 0, 1);
  s.switchCounter = static_cast<uint32_t>(r.VarWithin(0, std::numeric_limits<int32_t>::max()));
  s.switchPattern = r.Within<uint8_t>(r.U8(), 0, 1);
  s.mode = r.Within<uint8_t>(r.U8(), mmVersus, mmStory);
  s.mapId = r.Within<uint8_t>(r.U8(), 0, 4);
  const uint8_t opponent = r.U8();
  // A story fight has its opponent from the table, a versus fight none.
  if (s.mode == mmStory)
    s.opponent = r.Within<int>(opponent, 0, kOpponents - 1);
  else if (opponent != kNoOpponent)
    r.Fail();
  s.opponentCharacter = r.U8();
  for (uint16_t& p : s.fangPower) p = r.Within<uint16_t>(r.U16(), 1, 1000);
  for (uint8_t& f : s.fangSet) f = r.Within<uint8_t>(r.U8(), 0, 2);
  s.framePeriodMs = r.Within<uint8_t>(r.U8(), 1, 100);
  s.roundSeconds = r.Within<uint16_t>(r.U16(), 1, 999);
  s.chipInterval = r.Within<uint16_t>(r.U16(), 0, 999);
}

void WriteEntry(Writer& w, const TapeEntry& e) {
  switch (e.op) {
    case TapeOp::Bits: w.U8(kBitsCode | (e.a & 1) << 6 | (e.b & 63)); break;
    case TapeOp::Stop:
      w.U8(kStop);
      w.U8(e.a);
      break;
    case TapeOp::Pause: w.U8(kPause); break;
    case TapeOp::Wait:
      w.U8(kWait);
      w.U8(e.a);
      w.Var(e.value);
      w.U8(e.b);
      break;
    case TapeOp::Checksum:
      w.U8(kChecksum);
      w.U32(e.value);
      break;
    case TapeOp::Closing: w.U8(kClosing); break;
  }
}

bool IsWaitResult(int v) { return v == wrNone || v == wrContinue || v == wrCancel || v == wrQuit; }

// The tape up to its end code; frames never exceed what three rounds of the setup can run.
void ReadTape(Reader& r, const ReplaySetup& s, std::vector<TapeEntry>& tape) {
  const uint64_t maxFrames = 3 * (61 * static_cast<uint64_t>(s.roundSeconds) + 1);
  uint64_t frame = 0;
  bool advanced = false;  // frames pass only between two entries, and in one step
  for (;;) {
    const uint8_t code = r.U8();
    if (!r.ok()) return;
    const bool advance = code == kAdvance || (code < kBitsCode && code >= kShortAdvance);
    if ((advance || code == kEnd) && advanced) return r.Fail();
    if (code == kEnd) return;
    if (code == kAdvance)
      frame += r.VarWithin(65, maxFrames);
    else if (advance)
      frame += (code & 63) + 1;
    if (frame > maxFrames) return r.Fail();
    advanced = advance;
    if (advance) continue;

    TapeEntry e;
    e.frame = static_cast<uint32_t>(frame);
    if (code >= kBitsCode) {
      e.op = TapeOp::Bits;
      e.a = (code >> 6) & 1;
      e.b = code & 63;
    } else if (code == kStop) {
      e.op = TapeOp::Stop;
      e.a = r.Within<uint8_t>(r.U8(), 1, 3);
    } else if (code == kPause) {
      e.op = TapeOp::Pause;
    } else if (code == kWait) {
      e.op = TapeOp::Wait;
      e.a = r.Within<uint8_t>(r.U8(), 1, 4);
      e.value = static_cast<uint32_t>(r.VarWithin(0, std::numeric_limits<uint32_t>::max()));
      const uint8_t result = r.U8();
      if (!IsWaitResult(result)) r.Fail();
      e.b = result;
    } else if (code == kChecksum) {
      e.op = TapeOp::Checksum;
      e.value = r.U32();
    } else if (code == kClosing) {
      e.op = TapeOp::Closing;
    } else {
      r.Fail();
    }
    if (!r.ok()) return;
    tape.push_back(e);
  }
}

void WriteResult(Writer& w, const MatchReport& m) {
  w.Var(static_cast<uint32_t>(m.result));
  for (const FighterReport& f : m.fighters)
    for (int v : {f.energy, f.score, f.roundsWon, f.chipCount, f.itemsTaken, f.fangHits}) w.Zig(v);
}

void ReadResult(Reader& r, MatchReport& m) {
  constexpr int64_t lo = std::numeric_limits<int32_t>::min(), hi = std::numeric_limits<int32_t>::max();
  m.valid = true;
  m.result = static_cast<int>(r.VarWithin(0, 3));
  for (FighterReport& f : m.fighters)
    for (int* v : {&f.energy, &f.score, &f.roundsWon, &f.chipCount, &f.itemsTaken, &f.fangHits})
      *v = r.Within<int>(r.Zig(), lo, hi);
}

}  // namespace

uint32_t Fnv1a(std::string_view bytes, uint32_t hash) {
  for (unsigned char c : bytes) {
    hash ^= c;
    hash *= 16777619u;
  }
  return hash;
}

std::vector<uint8_t> EncodeReplay(const Replay& replay) {
  Writer w;
  for (char c : kMagic) w.U8(static_cast<uint8_t>(c));
  w.U16(kReplayFormat);
  w.U16(kBattleRulesVersion);
  const std::string version = replay.setup.gameVersion.substr(0, kMaxVersionLength);
  w.U8(static_cast<uint32_t>(version.size()));
  for (char c : version) w.U8(static_cast<uint8_t>(c));
  w.Var(static_cast<uint64_t>(std::clamp<int64_t>(replay.startedAt, 0, static_cast<int64_t>(kLatestTime))));
  WriteSetup(w, replay.setup);
  uint32_t frame = 0;
  for (const TapeEntry& e : replay.tape) {
    w.Advance(e.frame - frame);
    frame = e.frame;
    WriteEntry(w, e);
  }
  w.U8(kEnd);
  WriteResult(w, replay.result);
  const std::string_view body(reinterpret_cast<const char*>(w.out.data()), w.out.size());
  w.U32(Fnv1a(body));
  return std::move(w.out);
}

ReplayReading ReadReplay(std::span<const uint8_t> bytes) {
  ReplayReading reading;
  if (bytes.size() < 8 || std::memcmp(bytes.data(), kMagic, sizeof kMagic) != 0) {
    reading.error = ReplayError::NotAReplay;
    return reading;
  }
  if (bytes.size() > kMaxReplayBytes) {
    reading.error = ReplayError::Damaged;
    return reading;
  }
  Reader r(bytes.subspan(sizeof kMagic));
  const uint16_t format = r.U16();
  const uint16_t rules = r.U16();
  if (format != kReplayFormat && format != kFormatWithoutTime) {
    reading.error = ReplayError::OtherVersion;
    return reading;
  }
  Replay replay;
  const uint8_t length = r.U8();
  for (int i = 0; i < length && r.ok(); ++i) replay.setup.gameVersion += static_cast<char>(r.U8());
  if (rules != kBattleRulesVersion) {
    reading.error = ReplayError::OtherVersion;
    if (r.ok() && length <= kMaxVersionLength) reading.recordedBy = replay.setup.gameVersion;
    return reading;
  }
  // A file cut short or changed anywhere fails its checksum before anything else is read.
  const std::string_view body(reinterpret_cast<const char*>(bytes.data()), bytes.size() - 4);
  Reader trailer(bytes.subspan(bytes.size() - 4));
  if (Fnv1a(body) != trailer.U32() || length > kMaxVersionLength) {
    reading.error = ReplayError::Damaged;
    return reading;
  }
  Reader content(bytes.subspan(0, bytes.size() - 4));
  for (size_t i = 0; i < sizeof kMagic + 5 + length; ++i) content.U8();
  if (format != kFormatWithoutTime) replay.startedAt = static_cast<int64_t>(content.VarWithin(0, kLatestTime));
  ReadSetup(content, replay.setup);
  if (content.ok()) ReadTape(content, replay.setup, replay.tape);
  if (content.ok()) ReadResult(content, replay.result);
  if (!content.ok() || !content.AtEnd()) {
    reading.error = ReplayError::Damaged;
    return reading;
  }
  reading.replay = std::move(replay);
  return reading;
}
