// shell: little-endian fixed-size fields of the game's own byte formats (replays, network
// messages). Pure; a read past the end spoils the whole reading, and the format's own reader
// adds what else it refuses.
#pragma once
#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

class ByteWriter {
 public:
  void U8(uint32_t v) { out.push_back(static_cast<uint8_t>(v)); }
  void U16(uint32_t v) {
    U8(v & 0xFF);
    U8(v >> 8);
  }
  void U32(uint32_t v) {
    U16(v & 0xFFFF);
    U16(v >> 16);
  }
  std::vector<uint8_t> out;
};

class ByteReader {
 public:
  explicit ByteReader(std::span<const uint8_t> bytes) : in_(bytes) {}
  bool ok() const { return ok_; }
  bool AtEnd() const { return pos_ >= in_.size(); }
  void Fail() { ok_ = false; }
  uint8_t U8() {
    if (pos_ >= in_.size()) {
      ok_ = false;
      return 0;
    }
    return in_[pos_++];
  }
  // Low byte first, each read in its own statement: the order of a | b's operands is unspecified.
  uint16_t U16() {
    const uint16_t lo = U8();
    return static_cast<uint16_t>(lo | U8() << 8);
  }
  uint32_t U32() {
    const uint32_t lo = U16();
    return lo | static_cast<uint32_t>(U16()) << 16;
  }

 protected:
  std::span<const uint8_t> in_;
  size_t pos_ = 0;
  bool ok_ = true;
};
