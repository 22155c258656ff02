// The progress markers painted into a story map's picture and the progress rule a match
// applies, on a map built straight on the headless platform.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <filesystem>

#include "MapTestKit.h"
#include "platform/Pictures.h"
#include "field/Savefile.h"

namespace {

using platform::Color;

// Each marker: a 16 x 16 square of its own see-through colour around an 8 x 8 core.
constexpr Color kKey[3] = {0x00FF00FF, 0x0000FF00, 0x000000FF};  // start, cleared, open
constexpr Color kCore[3] = {0x00FF0000, 0x00FFFF00, 0x0000FFFF};
enum { kStart, kCleared, kOpen, kNone };

class ProgressTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ResetMapState();
    dir = testing_support::FreshDir("progress") + "/";
    platform::SetExecutableDir(dir);
    ScreenParts.SetSize(256, 256, 0x00404040);
    const int left[3] = {176, 160, 144};
    for (int m = 0; m < 3; ++m) {
      auto& c = ScreenParts.GetCanvas();
      c.brush = platform::Brush{kKey[m]};
      c.FillRect({left[m], 64, left[m] + 16, 80});
      c.brush = platform::Brush{kCore[m]};
      c.FillRect({left[m] + 4, 68, left[m] + 12, 76});
    }
  }
  void TearDown() override {
    delete map;
    ScreenParts.SetSize(0, 0);
  }
  TestMap& Build(int mapId, const std::vector<LPoint>& table, int start = 0) {
    delete map;
    map = new TestMap(screen.GetCanvas(), mapId, table, start);
    platform::LoadPicture(mapId == midJourney ? "KRSTAGE1" : "KRSTAGE2", clean);
    return *map;
  }
  // Which marker the picture shows at a waypoint (its core), checking the key stayed out.
  int MarkerAt(int index) {
    const LPoint& w = map->Waypoint(index);
    const Color core = map->GetPicture().Pixel(w.x + 16, w.y + 16);
    for (int m = 0; m < 3; ++m) {
      if (core != kCore[m]) continue;
      EXPECT_EQ(map->GetPicture().Pixel(w.x + 8, w.y + 23), clean.Pixel(w.x + 8, w.y + 23)) << "key drawn at " << index;
      return m;
    }
    return kNone;
  }
  std::vector<int> Markers() {
    map->DrawMarkers();
    std::vector<int> out;
    for (int i = 0; i < map->WaypointCount(); ++i) out.push_back(MarkerAt(i));
    return out;
  }

  testing_support::HeadlessPlatform platformUp;
  platform::Bitmap screen{640, 480};
  platform::Bitmap clean;
  TestMap* map = nullptr;
  std::string dir;
};

const std::vector<LPoint> kTournament = {{24, 340}, {84, 340}, {184, 340}, {284, 340}, {384, 340}, {484, 340}};

TEST_F(ProgressTest, JourneyMarkersFollowTheCheckpointsCleared) {
  const std::vector<std::pair<int, std::vector<int>>> cases = {
      {-1, {kStart, kOpen, kOpen, kOpen, kOpen, kOpen, kStart, kStart}},
      {2, {kStart, kCleared, kCleared, kCleared, kOpen, kOpen, kStart, kStart}},
      {6, {kStart, kCleared, kCleared, kCleared, kCleared, kCleared, kStart, kStart}},
      // Whatever a progress file holds is taken as it is, the extremes included.
      {INT32_MAX, {kStart, kCleared, kCleared, kCleared, kCleared, kCleared, kStart, kStart}},
      {INT32_MIN, {kStart, kOpen, kOpen, kOpen, kOpen, kOpen, kStart, kStart}}};
  for (const auto& [progress, expected] : cases) {
    SCOPED_TRACE(progress);
    MapProgress[midJourney] = progress;
    Build(midJourney, kJourney);
    EXPECT_EQ(Markers(), expected);
    EXPECT_EQ(map->WalkLimit(), progress == INT32_MAX   ? 7
                                : progress == INT32_MIN ? INT32_MIN + 2
                                                        : std::min(progress + 2, 7));
  }
}

TEST_F(ProgressTest, OtherStoryMapsMarkEntryClearedAndOpenWaypoints) {
  MapProgress[midTournament] = 0;
  Build(midTournament, kTournament);
  EXPECT_EQ(Markers(), (std::vector<int>{kStart, kStart, kOpen, kOpen, kOpen, kOpen}));
  MapProgress[midTournament] = 2;
  Build(midTournament, kTournament);
  EXPECT_EQ(Markers(), (std::vector<int>{kStart, kStart, kCleared, kCleared, kOpen, kOpen}));
}

TEST_F(ProgressTest, JourneyAdvancesOnlyOnAStraightWinAtTheFrontier) {
  Build(midJourney, kJourney, 1);
  EXPECT_EQ(ApplyMatchProgress(2, 1), 0);  // 2-1 is not enough here
  EXPECT_EQ(MapProgress[midJourney], -1);
  EXPECT_FALSE(std::filesystem::exists(SaveFilePath()));
  EXPECT_EQ(ApplyMatchProgress(2, 0), 1);
  EXPECT_EQ(MapProgress[midJourney], 0);
  EXPECT_EQ(MarkerAt(1), kCleared);  // repainted at once
  EXPECT_EQ(std::filesystem::file_size(SaveFilePath()), 19u);
  EXPECT_EQ(ApplyMatchProgress(2, 0), 0);  // waypoint 1 is behind the frontier now
  EXPECT_EQ(MapProgress[midJourney], 0);
}

TEST_F(ProgressTest, TournamentAndDoraQCountAnyWonMatchAtTheFrontierMenusNone) {
  for (int id : {midTournament, midDoraQ}) {
    SCOPED_TRACE(id);
    Build(id, kTournament, 2);
    EXPECT_EQ(ApplyMatchProgress(1, 2), 0);
    EXPECT_EQ(ApplyMatchProgress(2, 1), 1);
    EXPECT_EQ(MapProgress[id], 1);
    Build(id, kTournament, 2);  // now behind the frontier at 3
    EXPECT_EQ(ApplyMatchProgress(2, 0), 0);
    EXPECT_EQ(MapProgress[id], 1);
  }
  for (int id : {midMainMenu, midExtras}) {
    Build(id, kTournament, 5);
    EXPECT_EQ(ApplyMatchProgress(2, 0), 0);
  }
  EXPECT_EQ(MapProgress[midMainMenu], 3);
  EXPECT_EQ(MapProgress[midExtras], 5);
}

}  // namespace
