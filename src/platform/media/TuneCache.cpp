// platform: the rendered-tune cache. An entry is a header (mark, rate, frame count,
// checksum of the samples) followed by the samples, little-endian as the machine is.
#include "platform/media/TuneCache.h"

#include <sys/stat.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <optional>

#include "platform/Files.h"
#include "platform/Folders.h"

namespace platform::media {

namespace {

constexpr char kMark[8] = {'B', 'K', 'T', 'U', 'N', 'E', '0', '1'};
constexpr const char* kSuffix = ".pcm";

struct Header {
  char mark[8];
  uint32_t rate;
  uint32_t channels;
  uint64_t frames;
  uint64_t checksum;
};
static_assert(sizeof(Header) == 32);

// FNV-1a, which is all a key and a damage check need.
uint64_t Fnv(const void* data, size_t size, uint64_t h = 1469598103934665603ull) {
  const auto* p = static_cast<const uint8_t*>(data);
  for (size_t i = 0; i < size; ++i) h = (h ^ p[i]) * 1099511628211ull;
  return h;
}

// The checksum of the samples, a word at a time: a 90-second tune is checked in a few ms.
uint64_t Checksum(const Samples& s) {
  uint64_t h = 1469598103934665603ull;
  const size_t words = s.size() / 4;
  for (size_t i = 0; i < words; ++i) {
    uint64_t w;
    std::memcpy(&w, s.data() + i * 4, 8);
    h = (h ^ w) * 1099511628211ull;
  }
  return Fnv(s.data() + words * 4, (s.size() - words * 4) * sizeof(int16_t), h);
}

}  // namespace

uint64_t TuneKey(const std::vector<uint8_t>& midi, const std::string& synthIdentity, int rate, float gain) {
  uint64_t h = Fnv(kMark, sizeof kMark);
  h = Fnv(synthIdentity.data(), synthIdentity.size(), h);
  h = Fnv(&rate, sizeof rate, h);
  h = Fnv(&gain, sizeof gain, h);
  return Fnv(midi.data(), midi.size(), h);
}

TuneCache::TuneCache(std::string folder, uint64_t limitBytes) : folder_(std::move(folder)), limitBytes_(limitBytes) {}

std::string TuneCache::Path(uint64_t key) const {
  char name[32];
  std::snprintf(name, sizeof name, "%016llx", static_cast<unsigned long long>(key));
  return folder_ + "/" + name + kSuffix;
}

namespace {

// The header of an entry at the reader, if it is one of ours at this rate.
std::optional<Header> ReadHeader(std::istream& in, int rate) {
  Header h{};
  if (in.read(reinterpret_cast<char*>(&h), sizeof h) && std::memcmp(h.mark, kMark, sizeof kMark) == 0 &&
      h.rate == static_cast<uint32_t>(rate) && h.channels == 2)
    return h;
  return std::nullopt;
}

}  // namespace

std::shared_ptr<const Samples> TuneCache::Load(uint64_t key, int rate) const {
  if (folder_.empty()) return nullptr;
  const std::string path = Path(key);
  std::ifstream in(path, std::ios::binary | std::ios::ate);
  if (!in) return nullptr;
  const auto size = static_cast<uint64_t>(in.tellg());
  in.seekg(0);
  const auto h = ReadHeader(in, rate);
  bool ok = h && size >= sizeof *h && h->frames == (size - sizeof *h) / 4 && (size - sizeof *h) % 4 == 0;
  auto samples = std::make_shared<Samples>();
  if (ok) {
    samples->resize(h->frames * 2);
    ok = in.read(reinterpret_cast<char*>(samples->data()), static_cast<std::streamsize>(h->frames * 4)) &&
         Checksum(*samples) == h->checksum;
  }
  if (!ok) {
    std::remove(path.c_str());  // damaged or of another make: rendered again and replaced
    return nullptr;
  }
  return samples;
}

bool TuneCache::Has(uint64_t key, int rate) const {
  if (folder_.empty()) return false;
  std::ifstream in(Path(key), std::ios::binary);
  return ReadHeader(in, rate).has_value();
}

bool TuneCache::Store(uint64_t key, int rate, const Samples& samples) const {
  if (folder_.empty() || !MakeFolders(folder_)) return false;
  Header h{};
  std::memcpy(h.mark, kMark, sizeof kMark);
  h.rate = static_cast<uint32_t>(rate);
  h.channels = 2;
  h.frames = samples.size() / 2;
  h.checksum = Checksum(samples);
  if (!WriteFileAtomically(Path(key), {std::string_view(reinterpret_cast<const char*>(&h), sizeof h),
                                        std::string_view(reinterpret_cast<const char*>(samples.data()), h.frames * 4)}))
    return false;
  Trim();
  return true;
}

void TuneCache::Trim() const {
  namespace fs = std::filesystem;
  struct Entry {
    fs::path path;
    fs::file_time_type time;
    uint64_t size;
  };
  std::vector<Entry> entries;
  uint64_t total = 0;
  std::error_code ec;
  for (const auto& e : fs::directory_iterator(folder_, ec)) {
    if (e.path().extension() != kSuffix || !e.is_regular_file(ec)) continue;
    Entry entry{e.path(), e.last_write_time(ec), e.file_size(ec)};
    if (ec) continue;
    total += entry.size;
    entries.push_back(entry);
  }
  std::sort(entries.begin(), entries.end(), [](const Entry& a, const Entry& b) { return a.time < b.time; });
  for (const Entry& e : entries) {
    if (total <= limitBytes_) break;
    if (fs::remove(e.path, ec)) total -= e.size;
  }
}

std::string DefaultTuneCacheFolder() {
  const std::string home = UserCacheHome();
  return home.empty() ? "" : home + "/bramko2/tunes";
}

}  // namespace platform::media
