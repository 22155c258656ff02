// The rendered-tune cache against what a crash or a stranger leaves in its folder: an entry
// claiming more samples than any kept tune has, an entry of another tune under this tune's
// name, and the trim with entries dated in the future, crash-left temporaries and files
// that are no entries at all.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>

#include "platform/media/TuneCache.h"
#include "support/Headless.h"

using platform::media::Samples;
using platform::media::TuneCache;

namespace {

namespace fs = std::filesystem;
constexpr int kRate = 22050;

Samples Noise(size_t frames, int seed) {
  Samples s(frames * 2);
  for (size_t i = 0; i < s.size(); ++i) s[i] = static_cast<int16_t>(i * 7919 + seed * 104729);
  return s;
}

std::string EntryPath(const std::string& folder, uint64_t key) {
  char name[32];
  std::snprintf(name, sizeof name, "%016llx.pcm", static_cast<unsigned long long>(key));
  return folder + "/" + name;
}

void Plant(const fs::path& p, size_t bytes, fs::file_time_type when) {
  std::ofstream(p, std::ios::binary) << std::string(bytes, 'x');
  fs::last_write_time(p, when);
}

TEST(TuneCacheTest, AnEntryOfAnotherKeyOrClaimingMoreThanTheLongestTuneIsRefusedBeforeAnythingIsTaken) {
  const std::string folder = testing_support::FreshDir("tune-cache-refusals") + "/tunes";
  const TuneCache cache(folder);
  const Samples a = Noise(4321, 1);
  ASSERT_TRUE(cache.Store(0xa, kRate, a));

  // Another tune's entry copied under this tune's name.
  fs::copy_file(EntryPath(folder, 0xa), EntryPath(folder, 0xb));
  EXPECT_FALSE(cache.Has(0xb, kRate));
  EXPECT_EQ(cache.Load(0xb, kRate), nullptr);
  EXPECT_FALSE(fs::exists(EntryPath(folder, 0xb))) << "a refused entry is removed";
  auto back = cache.Load(0xa, kRate);
  ASSERT_NE(back, nullptr);
  EXPECT_EQ(*back, a);

  // The entry's frame count raised to 2^38 and the file made that long (sparse): a
  // consistent header whose samples would take a terabyte.
  const std::string path = EntryPath(folder, 0xa);
  std::string head(64, '\0');
  std::ifstream(path, std::ios::binary).read(head.data(), 64);
  const uint64_t frames = a.size() / 2, huge = 1ull << 38;
  size_t at = 0;
  while (at + 8 <= head.size() && std::memcmp(head.data() + at, &frames, 8) != 0) ++at;
  ASSERT_LT(at + 8, head.size()) << "no frame count in the header";
  const size_t headerBytes = fs::file_size(path) - frames * 4;
  {
    std::fstream f(path, std::ios::in | std::ios::out | std::ios::binary);
    f.seekp(static_cast<std::streamoff>(at));
    f.write(reinterpret_cast<const char*>(&huge), 8);
  }
  std::error_code ec;
  fs::resize_file(path, headerBytes + huge * 4, ec);
  if (ec) GTEST_SKIP() << "no terabyte sparse file here: " << ec.message();
  EXPECT_FALSE(cache.Has(0xa, kRate));
  EXPECT_EQ(cache.Load(0xa, kRate), nullptr);
  EXPECT_FALSE(fs::exists(path));
}

TEST(TuneCacheTest, TheTrimKeepsWhatWasJustRenderedAndClearsWhatACrashOrAStrangerLeft) {
  const std::string folder = testing_support::FreshDir("tune-cache-trim") + "/tunes";
  fs::create_directories(folder + "/someone's");
  const size_t frames = 1000, entryBytes = frames * 4 + 64;
  const TuneCache cache(folder, 3 * entryBytes + 100);
  const auto now = fs::file_time_type::clock::now();
  // Entries dated a day ahead (a clock set wrong once), more than the limit allows.
  for (uint64_t k = 0xf0; k < 0xf5; ++k) Plant(EntryPath(folder, k), frames * 4 + 40, now + std::chrono::hours(24));
  // A temporary a crash left an hour ago (its tune never written since), one being written
  // right now by another copy, and files no entry at all.
  const std::string crashed = EntryPath(folder, 0xdead) + ".tmp.Ab12Cd";
  const std::string writing = EntryPath(folder, 0xbeef) + ".tmp.Zz99Yy";
  Plant(crashed, 1 << 20, now - std::chrono::hours(1));
  Plant(writing, 10, now);
  Plant(folder + "/notes.txt", 10000, now - std::chrono::hours(2));
  Plant(folder + "/someone's/inside", 10, now);

  for (uint64_t k = 1; k <= 3; ++k) ASSERT_TRUE(cache.Store(k, kRate, Noise(frames, static_cast<int>(k))));
  for (uint64_t k = 1; k <= 3; ++k) EXPECT_NE(cache.Load(k, kRate), nullptr) << "entry " << k << " just rendered";
  for (uint64_t k = 0xf0; k < 0xf5; ++k) EXPECT_FALSE(fs::exists(EntryPath(folder, k))) << std::hex << k;
  EXPECT_FALSE(fs::exists(crashed));
  EXPECT_FALSE(fs::exists(folder + "/notes.txt"));
  EXPECT_TRUE(fs::exists(writing));
  EXPECT_TRUE(fs::exists(folder + "/someone's/inside")) << "a folder's contents are never touched";
}

}  // namespace
