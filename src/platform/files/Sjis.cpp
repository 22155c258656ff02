// platform/files: Shift-JIS conversion through glibc iconv ("CP932": "SHIFT_JIS" maps 0x5C to the
// yen sign and refuses the Windows extension characters).
#include "platform/files/Sjis.h"

#include <iconv.h>

#include <cerrno>

namespace platform {

namespace {

// One converter per direction, opened at first use and kept: settings lookups convert
// their names every time, and opening a converter costs far more than converting.
std::string Convert(const std::string& in, iconv_t& kept, const char* to, const char* from) {
  if (kept == reinterpret_cast<iconv_t>(-1)) kept = iconv_open(to, from);
  iconv_t cd = kept;
  if (cd == reinterpret_cast<iconv_t>(-1)) return in;
  iconv(cd, nullptr, nullptr, nullptr, nullptr);  // back to the initial state
  std::string out;
  char buf[256];
  char* src = const_cast<char*>(in.data());
  size_t left = in.size();
  while (left > 0) {
    char* dst = buf;
    size_t room = sizeof buf;
    size_t r = iconv(cd, &src, &left, &dst, &room);
    out.append(buf, dst - buf);
    if (r == static_cast<size_t>(-1) && errno != E2BIG) {
      // An unconvertible or broken byte: show "?" and go on with the next byte.
      out.push_back('?');
      ++src;
      --left;
    }
  }
  return out;
}

iconv_t g_toSjis = reinterpret_cast<iconv_t>(-1), g_fromSjis = reinterpret_cast<iconv_t>(-1);

}  // namespace

std::string Utf8ToSjis(const std::string& utf8) { return Convert(utf8, g_toSjis, "CP932", "UTF-8"); }
std::string SjisToUtf8(const std::string& sjis) { return Convert(sjis, g_fromSjis, "UTF-8", "CP932"); }

bool IsSjisLeadByte(unsigned char c) { return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC); }

}  // namespace platform
