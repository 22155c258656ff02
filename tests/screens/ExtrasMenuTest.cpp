// The extras menu reached from the main menu: its six entries, the son behind each of the
// first five, the entry it reopens on and the way back.
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

TEST(ExtrasMenuTest, SixEntriesInAColumnReopenOnTheLastChoiceAndTheLastEntryLeadsBack) {
  std::string scene, music, help, afterEscape, reopened, afterBack;
  int mapId = -1, reopenedOn = -1, bottom = -1, menuItem = -1;
  std::vector<LPoint> points;
  ScreenRun run;
  // Third entry, its profile cancelled, Escape to the main menu, the extras item again (it
  // opens on the third entry), four steps down stop at the last entry, which leads back.
  run.script = std::string(kToExtras) + "3000 tap G\n3300 tap G\n3600 tap X\n6000 tap Z\n7000 tap ESC\n" +
               "8000 tap X\n" + Taps("G", 9000, 4) + "10500 tap X\n";
  run.untilMs = 11500;
  run.inside = [] { ExtrasUnlocked = true; };
  run.at = {
      {2900,
       [&] {
         scene = SceneName;
         mapId = CurrentMapId;
         music = CurrentMusic;
         help = HelpKeyword;
         for (int i = 0; CurrentMapScene && i < CurrentMapScene->WaypointCount(); ++i)
           points.push_back(CurrentMapScene->Waypoint(i));
         points.push_back(MapCursor->GetPosition());
       }},
      {7500, [&] { afterEscape = SceneName; }},
      {8900,
       [&] {
         reopened = SceneName;
         reopenedOn = CurrentWaypoint;
       }},
      {10400, [&] { bottom = CurrentWaypoint; }},
      {11000,
       [&] {
         afterBack = SceneName;
         menuItem = CurrentWaypoint;
       }},
  };
  RunScreens(run);
  EXPECT_EQ(scene, "Omake");
  EXPECT_EQ(mapId, midExtras);
  EXPECT_EQ(music, "field");
  EXPECT_EQ(help, "フィールドマップ");
  ASSERT_EQ(points.size(), 7u);  // six entries, then the hero on the first
  for (int i = 0; i < 7; ++i) {
    EXPECT_EQ(points[i].x, 118) << i;
    EXPECT_EQ(points[i].y, 126 + 32 * (i % 6)) << i;
  }
  EXPECT_EQ(afterEscape, "MainMenu");
  EXPECT_EQ(reopened, "Omake");
  EXPECT_EQ(reopenedOn, 2);
  EXPECT_EQ(bottom, 5);
  EXPECT_EQ(afterBack, "MainMenu");
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
    script +=
        std::to_string(t) + " tap X\n" + std::to_string(t + 1500) + " tap Z\n" + std::to_string(t + 2400) + " tap G\n";
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

}  // namespace
}  // namespace screens_test
