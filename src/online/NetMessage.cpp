// online: the bytes of the messages.
#include "online/NetMessage.h"

#include "actors/BattleState.h"
#include "battle/MatchInput.h"
#include "shell/ByteFields.h"

namespace {

enum Kind : uint8_t { kHello = 1, kChoice, kStart, kInputs, kChecksum, kWait, kEnd, kAlive, kSides, kTape, kWatching };
// Every datagram of ours begins with these two bytes, so stray traffic is refused at once.
constexpr uint8_t kMagic0 = 'B', kMagic1 = 'K';
constexpr size_t kMaxVersionBytes = 40;

class Writer : public ByteWriter {
 public:
  explicit Writer(Kind kind) {
    U8(kMagic0);
    U8(kMagic1);
    U8(kind);
  }
  std::string Done() const { return std::string(out.begin(), out.end()); }
};

// Reads fields in order; any short read or value out of range spoils the whole message.
class Reader : public ByteReader {
 public:
  using ByteReader::ByteReader;
  template <typename T>
  T Within(T v, T lo, T hi) {
    if (v < lo || v > hi) ok_ = false;
    return v;
  }
  // Whole and nothing left over.
  bool Complete() const { return ok_ && AtEnd(); }
};

bool KnownWaitResult(uint8_t r) { return r == 0 || r == 1 || r == 2 || r == 6; }

std::string Encode(const NetHello& m) {
  Writer w(kHello);
  w.U16(m.protocol);
  w.U16(m.rules);
  const size_t n = m.gameVersion.size() < kMaxVersionBytes ? m.gameVersion.size() : kMaxVersionBytes;
  w.U8(static_cast<uint8_t>(n));
  for (size_t i = 0; i < n; ++i) w.U8(static_cast<uint8_t>(m.gameVersion[i]));
  w.U8(m.watch);
  return w.Done();
}
std::string Encode(const NetChoice& m) {
  Writer w(kChoice);
  w.U16(m.round);
  w.U8(m.cursor);
  w.U8(m.power);
  w.U8(m.decided);
  w.U8(m.delay);
  return w.Done();
}
std::string Encode(const NetStart& m) {
  Writer w(kStart);
  w.U16(m.round);
  w.U8(m.delay);
  w.U32(m.seed);
  w.U8(m.chipOwner);
  w.U32(m.switchCounter);
  w.U8(m.switchPattern);
  w.U8(m.mapId);
  for (uint16_t p : m.fangPower) w.U16(p);
  for (uint8_t f : m.fangSet) w.U8(f);
  w.U8(m.framePeriodMs);
  w.U16(m.roundSeconds);
  w.U16(m.chipInterval);
  w.U32(static_cast<uint32_t>(m.startedAt));
  w.U32(static_cast<uint32_t>(static_cast<uint64_t>(m.startedAt) >> 32));
  return w.Done();
}
std::string Encode(const NetInputs& m) {
  Writer w(kInputs);
  w.U16(m.round);
  w.U32(m.first);
  w.U32(m.have);
  w.U8(static_cast<uint8_t>(m.inputs.size()));
  for (uint8_t b : m.inputs) w.U8(b);
  return w.Done();
}
std::string Encode(const NetChecksum& m) {
  Writer w(kChecksum);
  w.U16(m.round);
  w.U32(m.second);
  w.U32(m.value);
  return w.Done();
}
std::string Encode(const NetWait& m) {
  Writer w(kWait);
  w.U16(m.round);
  w.U32(m.seq);
  w.U8(m.done);
  w.U8(m.result);
  w.U32(m.ms);
  return w.Done();
}
std::string Encode(const NetEnd& m) {
  Writer w(kEnd);
  w.U16(m.round);
  w.U8(static_cast<uint8_t>(m.reason));
  return w.Done();
}

std::string Encode(const NetAlive&) { return Writer(kAlive).Done(); }

std::string Encode(const NetSides& m) {
  Writer w(kSides);
  w.U16(m.round);
  for (int side = 0; side < 2; ++side) {
    w.U8(m.cursor[side]);
    w.U8(m.power[side]);
    w.U8(m.decided[side]);
  }
  return w.Done();
}
std::string Encode(const NetTape& m) {
  Writer w(kTape);
  w.U16(m.round);
  w.U32(m.first);
  w.U32(m.whole);
  w.U8(static_cast<uint8_t>(m.entries.size()));
  for (const TapeEntry& e : m.entries) {
    w.U32(e.frame);
    w.U8(static_cast<uint8_t>(e.op));
    w.U8(e.a);
    w.U8(e.b);
    w.U32(e.value);
  }
  return w.Done();
}
std::string Encode(const NetWatching& m) {
  Writer w(kWatching);
  w.U16(m.round);
  w.U32(m.whole);
  return w.Done();
}

}  // namespace

std::string EncodeNetMessage(const NetMessage& message) {
  return std::visit([](const auto& m) { return Encode(m); }, message);
}

bool SentReliably(const NetMessage& message) { return !std::holds_alternative<NetInputs>(message); }

std::optional<NetMessage> ReadNetMessage(std::span<const uint8_t> bytes) {
  Reader r(bytes);
  if (r.U8() != kMagic0 || r.U8() != kMagic1) return std::nullopt;
  NetMessage out;
  switch (r.U8()) {
    case kHello: {
      NetHello m;
      m.protocol = r.U16();
      m.rules = r.U16();
      const uint8_t n = r.Within<uint8_t>(r.U8(), 0, kMaxVersionBytes);
      for (uint8_t i = 0; i < n; ++i) {
        // Printable ASCII only: the version is shown in a message.
        m.gameVersion += static_cast<char>(r.Within<uint8_t>(r.U8(), 0x20, 0x7e));
      }
      m.watch = r.Within<uint8_t>(r.U8(), 0, 1);
      out = m;
      break;
    }
    case kChoice: {
      NetChoice m;
      m.round = r.U16();
      m.cursor = r.Within<uint8_t>(r.U8(), 0, 3);
      m.power = r.Within<uint8_t>(r.U8(), 0, 7);
      m.decided = r.Within<uint8_t>(r.U8(), 0, 1);
      m.delay = r.Within<uint8_t>(r.U8(), 0, kChosenDelayMost);
      out = m;
      break;
    }
    case kStart: {
      NetStart m;
      m.round = r.U16();
      m.delay = r.Within<uint8_t>(r.U8(), 0, kChosenDelayMost);
      m.seed = r.U32();
      m.chipOwner = r.Within<uint8_t>(r.U8(), 0, 1);
      m.switchCounter = r.U32();
      m.switchPattern = r.Within<uint8_t>(r.U8(), 0, 1);
      m.mapId = r.Within<uint8_t>(r.U8(), 0, 4);
      for (uint16_t& p : m.fangPower) p = r.Within<uint16_t>(r.U16(), 1, 1000);
      for (uint8_t& f : m.fangSet) f = r.Within<uint8_t>(r.U8(), 0, 2);
      m.framePeriodMs = r.Within<uint8_t>(r.U8(), 1, 100);
      m.roundSeconds = r.Within<uint16_t>(r.U16(), 1, 999);
      m.chipInterval = r.Within<uint16_t>(r.U16(), 0, 999);
      const uint64_t low = r.U32();
      m.startedAt = static_cast<int64_t>(low | uint64_t{r.U32()} << 32);
      out = m;
      break;
    }
    case kInputs: {
      NetInputs m;
      m.round = r.U16();
      m.first = r.Within<uint32_t>(r.U32(), 1, 0x7fffffff);
      m.have = r.Within<uint32_t>(r.U32(), 0, 0x7fffffff);
      const uint8_t n = r.Within<uint8_t>(r.U8(), 1, kMaxInputsPerMessage);
      for (uint8_t i = 0; i < n; ++i) m.inputs.push_back(r.U8());
      out = m;
      break;
    }
    case kChecksum: {
      NetChecksum m;
      m.round = r.U16();
      m.second = r.Within<uint32_t>(r.U32(), 1, 0x7fffffff);
      m.value = r.U32();
      out = m;
      break;
    }
    case kWait: {
      NetWait m;
      m.round = r.U16();
      m.seq = r.Within<uint32_t>(r.U32(), 1, 0x7fffffff);
      m.done = r.Within<uint8_t>(r.U8(), 0, 1);
      m.result = r.U8();
      if (!KnownWaitResult(m.result)) r.Fail();
      m.ms = r.U32();
      out = m;
      break;
    }
    case kEnd: {
      NetEnd m;
      m.round = r.U16();
      m.reason = static_cast<NetEndReason>(r.Within<uint8_t>(r.U8(), 1, 2));
      out = m;
      break;
    }
    case kAlive: out = NetAlive{}; break;
    case kSides: {
      NetSides m;
      m.round = r.U16();
      for (int side = 0; side < 2; ++side) {
        m.cursor[side] = r.Within<uint8_t>(r.U8(), 0, 3);
        m.power[side] = r.Within<uint8_t>(r.U8(), 0, 7);
        m.decided[side] = r.Within<uint8_t>(r.U8(), 0, 1);
      }
      out = m;
      break;
    }
    case kTape: {
      NetTape m;
      m.round = r.U16();
      m.first = r.Within<uint32_t>(r.U32(), 0, 0x7fffffff);
      m.whole = r.U32();
      const uint8_t n = r.Within<uint8_t>(r.U8(), 0, kMaxTapePerMessage);
      for (uint8_t i = 0; i < n; ++i) {
        TapeEntry e;
        e.frame = r.Within<uint32_t>(r.U32(), 0, 0x7fffffff);
        e.op = static_cast<TapeOp>(r.Within<uint8_t>(r.U8(), 0, static_cast<uint8_t>(TapeOp::Closing)));
        e.a = r.U8();
        e.b = r.U8();
        e.value = r.U32();
        // What a tape can hold: a side's six key bits, a known stop, wait kind and outcome.
        if (e.op == TapeOp::Bits && (e.a > 1 || e.b > 63)) r.Fail();
        if (e.op == TapeOp::Stop && e.a > static_cast<uint8_t>(RoundStop::Closed)) r.Fail();
        if (e.op == TapeOp::Wait && (e.a < 1 || e.a > 4 || !KnownWaitResult(e.b))) r.Fail();
        m.entries.push_back(e);
      }
      out = m;
      break;
    }
    case kWatching: {
      NetWatching m;
      m.round = r.U16();
      m.whole = r.U32();
      out = m;
      break;
    }
    default: return std::nullopt;
  }
  if (!r.Complete()) return std::nullopt;
  return out;
}

std::optional<NetMessage> ReadNetMessage(const std::string& bytes) {
  return ReadNetMessage(std::span<const uint8_t>(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size()));
}

ReplaySetup SetupOf(const NetStart& s) {
  ReplaySetup r;
  r.seed = s.seed;
  r.chipOwner = s.chipOwner;
  r.switchCounter = s.switchCounter;
  r.switchPattern = s.switchPattern;
  r.mode = mmVersus;
  r.mapId = s.mapId;
  for (int side = 0; side < 2; ++side) {
    r.fangPower[side] = s.fangPower[side];
    r.fangSet[side] = s.fangSet[side];
  }
  r.framePeriodMs = s.framePeriodMs;
  r.roundSeconds = s.roundSeconds;
  r.chipInterval = s.chipInterval;
  return r;
}
