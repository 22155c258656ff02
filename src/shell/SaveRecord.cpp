// shell: the progress file's byte layout.
#include "shell/SaveRecord.h"

namespace {

void PutInt(std::string& out, int32_t v) {
  const uint32_t u = static_cast<uint32_t>(v);
  for (int k = 0; k < 4; ++k) out.push_back(static_cast<char>(u >> (8 * k)));
}

void TakeInt(const std::string& in, size_t offset, int32_t& value) {
  uint32_t u = static_cast<uint32_t>(value);
  for (size_t k = 0; k < 4 && offset + k < in.size(); ++k) {
    u &= ~(0xFFu << (8 * k));
    u |= static_cast<uint32_t>(static_cast<unsigned char>(in[offset + k])) << (8 * k);
  }
  value = static_cast<int32_t>(u);
}

}  // namespace

std::string EncodeSaveRecord(const SaveRecord& record) {
  std::string bytes;
  for (int32_t v : record.mapProgress) PutInt(bytes, v);
  for (unsigned char f : record.flags) bytes.push_back(static_cast<char>(f));
  return bytes;
}

void DecodeSaveRecord(const std::string& bytes, SaveRecord& record) {
  for (size_t i = 0; i < 4; ++i) TakeInt(bytes, 4 * i, record.mapProgress[i]);
  for (size_t i = 0; i < 3; ++i)
    if (16 + i < bytes.size()) record.flags[i] = static_cast<unsigned char>(bytes[16 + i]);
}
