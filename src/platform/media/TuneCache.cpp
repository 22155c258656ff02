// platform/media: the rendered-tune cache. An entry is a header (mark, rate, key, frame count,
// checksum of the samples) followed by the samples, little-endian as the machine is.
#include "platform/media/TuneCache.h"

#include <algorithm>
#include <cctype>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <optional>

#include "platform/files/Files.h"
#include "platform/files/Folders.h"
#include "platform/files/InputFile.h"

namespace platform::media {

namespace {

// 02 added the key: entries of 01 are refused and rendered again.
constexpr char kMark[8] = {'B', 'K', 'T', 'U', 'N', 'E', '0', '2'};
constexpr const char* kSuffix = ".pcm";
constexpr size_t kKeyDigits = 16;

struct Header {
  char mark[8];
  uint32_t rate;
  uint32_t channels;
  uint64_t key;
  uint64_t frames;
  uint64_t checksum;
};
static_assert(sizeof(Header) == 40);

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

uint64_t TuneCache::LongestFrames(int rate) {
  return static_cast<uint64_t>(kLongestKeptTuneMs + kLongestReleaseMs) * static_cast<uint64_t>(rate) / 1000;
}

namespace {

// The header of an entry of this key at this rate whose size is the one the header gives,
// read from the open file.
std::optional<Header> ReadHeader(InputFile& in, uint64_t key, int rate, uint64_t longestFrames) {
  Header h{};
  if (!in.Open() || !in.Read(&h, sizeof h)) return std::nullopt;
  // The frame count is bounded before it is multiplied or anything is taken for it.
  const bool ours = std::memcmp(h.mark, kMark, sizeof kMark) == 0 && h.rate == static_cast<uint32_t>(rate) &&
                    h.channels == 2 && h.key == key && h.frames <= longestFrames &&
                    in.Size() == sizeof h + h.frames * 4;
  return ours ? std::optional<Header>(h) : std::nullopt;
}

}  // namespace

std::shared_ptr<const Samples> TuneCache::Load(uint64_t key, int rate) const {
  if (folder_.empty()) return nullptr;
  const std::string path = Path(key);
  // Only a file the cache wrote: never through a link, never waiting on a FIFO.
  InputFile in(path, Links::Refuse);
  if (in.State() == FileRead::Missing) return nullptr;
  const auto h = ReadHeader(in, key, rate, LongestFrames(rate));
  auto samples = std::make_shared<Samples>();
  bool ok = h.has_value();
  if (ok) {
    samples->resize(h->frames * 2);
    ok = in.Read(samples->data(), h->frames * 4) && Checksum(*samples) == h->checksum;
  }
  if (!ok) {
    std::remove(path.c_str());  // damaged, of another key or another make: rendered again and replaced
    return nullptr;
  }
  return samples;
}

bool TuneCache::Has(uint64_t key, int rate) const {
  if (folder_.empty()) return false;
  InputFile in(Path(key), Links::Refuse);
  return ReadHeader(in, key, rate, LongestFrames(rate)).has_value();
}

bool TuneCache::Store(uint64_t key, int rate, const Samples& samples) const {
  if (folder_.empty() || !MakeFolders(folder_)) return false;
  Header h{};
  std::memcpy(h.mark, kMark, sizeof kMark);
  h.rate = static_cast<uint32_t>(rate);
  h.channels = 2;
  h.key = key;
  h.frames = samples.size() / 2;
  h.checksum = Checksum(samples);
  if (!WriteFileAtomically(Path(key), {std::string_view(reinterpret_cast<const char*>(&h), sizeof h),
                                       std::string_view(reinterpret_cast<const char*>(samples.data()), h.frames * 4)}))
    return false;
  Trim();
  return true;
}

namespace {

// "<16 hex digits>.pcm", the name of an entry.
bool EntryName(const std::string& name) {
  if (name.size() != kKeyDigits + std::strlen(kSuffix) || name.compare(kKeyDigits, std::string::npos, kSuffix) != 0)
    return false;
  return std::all_of(name.begin(), name.begin() + kKeyDigits,
                     [](char c) { return std::isxdigit(static_cast<unsigned char>(c)) != 0; });
}

}  // namespace

void TuneCache::Trim() const {
  namespace fs = std::filesystem;
  struct Entry {
    fs::path path;
    fs::file_time_type time;
    uint64_t size;
  };
  // A temporary this recent may be another copy's write in progress (a test run, the
  // simulator); older ones were left by a crash.
  constexpr auto kWriting = std::chrono::minutes(1);
  const auto now = fs::file_time_type::clock::now();
  std::vector<Entry> entries;
  std::vector<fs::path> strays;
  uint64_t total = 0;
  std::error_code ec;
  for (const auto& e : fs::directory_iterator(folder_, ec)) {
    const fs::file_status st = e.symlink_status(ec);
    if (ec || fs::is_directory(st)) continue;  // never a folder's contents
    const std::string name = e.path().filename().string();
    const bool regular = fs::is_regular_file(st);
    const fs::file_time_type time = regular ? e.last_write_time(ec) : now;
    const uint64_t size = regular ? e.file_size(ec) : 0;
    if (ec) continue;
    if (regular && EntryName(name)) {
      // A date to come is no date at all: such an entry goes first.
      entries.push_back({e.path(), time > now ? fs::file_time_type::min() : time, size});
      total += size;
    } else if (regular && name.find(std::string(kSuffix) + ".tmp.") != std::string::npos && time <= now &&
               now - time < kWriting) {
      total += size;
    } else {
      strays.push_back(e.path());
    }
  }
  for (const fs::path& p : strays) fs::remove(p, ec);
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
