// Test kit of the map suite: a waypoint map with a waypoint table of the test's choosing
// that records every cursor landing, and a scripted run of the whole game on it.
#pragma once
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "field/Fieldmap.h"
#include "platform/files/Files.h"
#include "platform/headless/HeadlessControl.h"
#include "settings/SettingsFile.h"
#include "shell/Bramkoworld.h"
#include "support/Headless.h"

struct Landing {
  int64_t ms;
  int waypoint;
};
inline std::vector<Landing> g_landings;
inline std::vector<int64_t> g_selects;

class TestMap : public FieldMap {
 public:
  TestMap(platform::Canvas& canvas, int mapId, const std::vector<LPoint>& table, int start = 0)
      : FieldMap(canvas, mapId == midJourney ? "KRSTAGE1" : "KRSTAGE2", mapId), points(table) {
    for (const LPoint& p : points) AddWaypoint(&p);
    SelectHandler = [] {
      g_selects.push_back(platform::headless::Now());
      return 0;
    };
    MoveCursorTo(start);
    RedrawAll();
    SetSceneStep(FieldMapStep);
  }
  void OnWaypointChanged() override { g_landings.push_back({platform::headless::Now(), CurrentWaypoint}); }

 private:
  std::vector<LPoint> points;  // the scene's own table, as a chapter's static one
};

// The journey's eight waypoints.
inline const std::vector<LPoint> kJourney = {{279, 367}, {245, 335}, {218, 291}, {230, 240},
                                             {260, 220}, {319, 192}, {326, 146}, {240, 110}};

// Runs the game with the default keys and the progress file in a fresh folder; inside
// builds the scene under test once the title is up. Scenes left at the end are dropped.
inline int RunOnMap(const std::string& script, int64_t untilMs, const std::function<void()>& inside) {
  g_landings.clear();
  g_selects.clear();
  const std::string dir = testing_support::FreshDir("maps") + "/";
  int status = testing_support::RunHeadlessGame(script, untilMs, 1, [&] {
    LoadKeyLists("", true);
    platform::SetExecutableDir(dir);
    inside();
  });
  delete CurrentMapScene;
  DoraQStageConstructor = nullptr;
  return status;
}
