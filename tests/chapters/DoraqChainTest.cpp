// The DoraQ chapter's island: the walk limit of a fresh chapter, and the five fights in a
// row through the profile screen and real matches (each round decided by a lever just
// before its first frame), the ending after DoraQ, again after a second win, and Escape to
// the main menu.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

#include "DoraqKit.h"
#include "actors/Bramkoplayer.h"
#include "chapters/Doraqstage.h"
#include "field/Fieldmap.h"
#include "screens/Untiku.h"
#include "actors/BattleState.h"
#include "shell/Bramkoworld.h"
#include "shell/GameMedia.h"

using namespace doraq_test;

namespace {

void LandAfterTheOpening() {
  DoraQOpeningSeen = 1;
  DoraQLastWaypoint = 1;
  ConstructDoraQStage(*ScreenCanvas);
}

}  // namespace

TEST(IslandTest, FreshIslandOpensTheLandingStageAndTheFirstFightOnly) {
  // Select on the landing stage does nothing; right, right, right stops at the first fight.
  Watch w;
  RunGameWith("500 tap X\n1000 tap H\n1300 tap H\n1600 tap H\n", 2500, w, LandAfterTheOpening);
  EXPECT_EQ(Sequence(w.scenes), "DoraQStage+step");
  EXPECT_EQ(CurrentWaypoint, 2);
  EXPECT_EQ(DoraQLastWaypoint, 2);
}

TEST(IslandTest, FiveFightsInARowThenTheEndingTwiceAndEscapeToTheMainMenu) {
  Watch w;
  w.closeOn = "MainMenu+step";
  std::vector<int> opponents;
  std::vector<int> endedOn;  // waypoint under the hero when each ending gave the map back
  int endings = 0;
  bool inEnding = false;
  int64_t lastKey = -1000;
  const BramkoChar* lastRight = nullptr;
  bool escaped = false;
  auto key = [&](int vk) {
    if (Now() - lastKey < 300) return;
    lastKey = Now();
    Tap(vk);
  };
  w.each = [&] {
    // The opening is cut short at once: the first win must save its flag all the same.
    if (w.frames.back().what == "AOPB@0" && Find(w.frames, "AOP2") < 0) key(kCancel);

    auto* left = dynamic_cast<BramkoPlayer*>(Fighters[0]);
    auto* right = dynamic_cast<BramkoPlayer*>(Fighters[1]);
    if (right && right != lastRight) opponents.push_back(right->characterId);
    lastRight = right;
    if (GameScreenActive && left && right && RoundOver == 0 && RoundClock == RoundSeconds) {
      left->energy = 1200;
      right->energy = 0;
      RoundOver = 1;
    }

    if (CurrentMusic == "DQend") inEnding = true;
    const std::string& scene = w.scenes.back().what;
    if (inEnding) {
      if (scene == "DoraQStage+step") {
        inEnding = false;
        ++endings;
        endedOn.push_back(CurrentWaypoint);
      } else if (SceneStep == nullptr) {
        key(kSelect);  // hurries the staff roll and closes the ending
      }
      return;
    }
    if (SceneStep == ProfileStep) key(kSelect);
    if (scene != "DoraQStage+step") return;
    if (endings == 2) {
      if (!escaped) Tap(kEscape, 300);
      escaped = true;
      return;
    }
    const int frontier = std::min(MapProgress[midDoraQ] + 2, 6);
    key(CurrentWaypoint < frontier ? kRight : kSelect);
  };
  RunGameWith("", 900000, w, [] {
    DoraQLastWaypoint = 1;
    ConstructDoraQStage(*ScreenCanvas);
  });

  EXPECT_EQ(opponents, (std::vector<int>{15, 13, 6, 16, 14, 14}));
  EXPECT_EQ(MapProgress[midDoraQ], 5);
  EXPECT_EQ(endings, 2);
  EXPECT_EQ(endedOn, (std::vector<int>{6, 6}));
  EXPECT_EQ(w.scenes.back().what, "MainMenu+step");
  // The tunes: the opening cut short, four fights each back to the map, DoraQ's own tune,
  // his victory scene, the ending; again; the main menu.
  EXPECT_EQ(Sequence(w.music),
            "bramko event field fight field fight field fight field fight field doraq event bramko DQend field "
            "doraq event bramko DQend field select");

  // Each win at the frontier saved the progress; the opening's flag went with it.
  std::ifstream f(RunDir() + "BRAMKO.DAT", std::ios::binary);
  const std::vector<unsigned char> bytes((std::istreambuf_iterator<char>(f)), std::istreambuf_iterator<char>());
  ASSERT_EQ(bytes.size(), 19u);
  EXPECT_EQ(bytes[12], 5);
  EXPECT_EQ(bytes[18], 1);
}
