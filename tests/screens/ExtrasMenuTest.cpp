// The extras menu reached from the main menu: its six entries, the son behind each of the
// first five, the way back, and the entry it reopens on.
#include <gtest/gtest.h>

#include "ScreensKit.h"
#include "chapters/Mainmenu.h"
#include "screens/Omake.h"
#include "shell/Game.h"
#include "shell/GameMedia.h"

namespace screens_test {
namespace {

// Title at 500, four steps down the main menu and select at 2500: the extras menu.
const char* const kToExtras = "500 tap ENTER\n1000 tap G\n1300 tap G\n1600 tap G\n1900 tap G\n2500 tap X\n";

std::string Taps(const char* key, int from, int count) {
  std::string s;
  for (int i = 0; i < count; ++i) s += std::to_string(from + 300 * i) + " tap " + key + "\n";
  return s;
}

TEST(ExtrasMenuTest, SixEntriesInAColumnAllReachableAndTheLastLeadsBackToTheMainMenu) {
  std::string scene, music, help, sceneAfter;
  int mapId = -1, count = 0, first = -1, last = -1, menuItem = -1;
  std::vector<LPoint> points;
  LPoint cursor{}, cursorLast{};
  ScreenRun run;
  run.script = std::string(kToExtras) + Taps("G", 3500, 6) + "6000 tap X\n";
  run.untilMs = 8000;
  run.inside = [] { ExtrasUnlocked = true; };
  run.at = {
      {3000,
       [&] {
         scene = SceneName;
         mapId = CurrentMapId;
         music = CurrentMusic;
         help = HelpKeyword;
         first = CurrentWaypoint;
         if (CurrentMapScene) {
           count = CurrentMapScene->WaypointCount();
           for (int i = 0; i < count; ++i) points.push_back(CurrentMapScene->Waypoint(i));
         }
         if (MapCursor) cursor = MapCursor->GetPosition();
       }},
      {5900,
       [&] {
         last = CurrentWaypoint;
         if (MapCursor) cursorLast = MapCursor->GetPosition();
       }},
      {7500,
       [&] {
         sceneAfter = SceneName;
         menuItem = CurrentWaypoint;
       }},
  };
  RunScreens(run);
  EXPECT_EQ(scene, "Omake");
  EXPECT_EQ(mapId, midExtras);
  EXPECT_EQ(music, "field");
  EXPECT_EQ(help, "フィールドマップ");
  ASSERT_EQ(count, 6);
  for (int i = 0; i < 6; ++i) {
    EXPECT_EQ(points[i].x, 118) << i;
    EXPECT_EQ(points[i].y, 126 + 32 * i) << i;
  }
  EXPECT_EQ(first, 0);
  EXPECT_EQ(cursor.x, 118);
  EXPECT_EQ(cursor.y, 126);
  EXPECT_EQ(last, 5);  // six presses down stop at the last entry
  EXPECT_EQ(cursorLast.y, 286);
  EXPECT_EQ(sceneAfter, "MainMenu");
  EXPECT_EQ(menuItem, 4);  // the main menu opens on its extras item
}

TEST(ExtrasMenuTest, EachOfTheFirstFiveEntriesShowsItsSonAndCancelComesBackToIt) {
  // For entry i: select at 3000 + 3000 i, cancel 1500 later, then one step down (keys on
  // the map at least 300 ms apart, or the second reads as the first one held).
  const char* const sons[5] = {"ドラＢ", "ドラＧ", "ドラＰ", "ドラＴ", "ドラＸ"};
  std::string script = kToExtras;
  ScreenRun run;
  std::string shown[5], help[5], back[5];
  int backOn[5] = {-1, -1, -1, -1, -1};
  for (int i = 0; i < 5; ++i) {
    const int t = 3000 + 3000 * i;
    script += std::to_string(t) + " tap X\n" + std::to_string(t + 1500) + " tap Z\n" + std::to_string(t + 2400) +
              " tap G\n";
    run.at.push_back({t + 1400, [&, i] {
                        const OpponentRecord* r = ProfileOpponent();
                        shown[i] = SceneName == "Untiku" && r ? r->name : SceneName;
                        help[i] = HelpKeyword;
                      }});
    run.at.push_back({t + 2300, [&, i] {
                        back[i] = SceneName;
                        backOn[i] = CurrentWaypoint;
                      }});
  }
  run.script = script;
  run.untilMs = 3000 + 3000 * 5;
  run.inside = [] { ExtrasUnlocked = true; };
  RunScreens(run);
  for (int i = 0; i < 5; ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(shown[i], sons[i]);
    EXPECT_EQ(help[i], "おまけ");
    EXPECT_EQ(back[i], "Omake");
    EXPECT_EQ(backOn[i], i);
  }
}

TEST(ExtrasMenuTest, AfterEscapeTheNextVisitStartsOnTheEntryChosenLast) {
  std::string leftTo, scene;
  int reopenedOn = -1;
  ScreenRun run;
  // Third entry, its profile cancelled, Escape to the main menu, the extras item again.
  run.script = std::string(kToExtras) + "3000 tap G\n3300 tap G\n3600 tap X\n6000 tap Z\n7000 tap ESC\n8000 tap X\n";
  run.untilMs = 9500;
  run.inside = [] { ExtrasUnlocked = true; };
  run.at = {
      {7500, [&] { leftTo = SceneName; }},
      {9000,
       [&] {
         scene = SceneName;
         reopenedOn = CurrentWaypoint;
       }},
  };
  RunScreens(run);
  EXPECT_EQ(leftTo, "MainMenu");
  EXPECT_EQ(scene, "Omake");
  EXPECT_EQ(reopenedOn, 2);
  EXPECT_EQ(OmakeLastWaypoint, 2);
}

}  // namespace
}  // namespace screens_test
