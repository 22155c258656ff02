// field: the progress markers of the story maps and the progress rule after a match.
#include <algorithm>
#include <cstdint>

#include "field/Fieldmap.h"
#include "shell/Bramkoworld.h"
#include "field/Savefile.h"

namespace {

enum Marker { kStart, kCleared, kOpen };

// Cuts one 16 x 16 marker out of the screen parts.
platform::Bitmap MarkerPicture(Marker m) {
  static const int left[] = {176, 160, 144};
  platform::Bitmap b(16, 16);
  b.GetCanvas().CopyRect({0, 0, 16, 16}, ScreenParts, {left[m], 64, left[m] + 16, 80});
  return b;
}

}  // namespace

void FieldMap::DrawMarkers() {
  const platform::Bitmap markers[] = {MarkerPicture(kStart), MarkerPicture(kCleared), MarkerPicture(kOpen)};
  // Wide, as the progress file may hold any value.
  const int64_t p = MapProgress[CurrentMapId];
  const int n = WaypointCount();
  auto put = [&](int64_t index, Marker m) {
    if (index < 0 || index >= n) return;
    const platform::Bitmap& b = markers[m];
    const LPoint& w = Waypoint(static_cast<int>(index));
    // The marker's bottom-left pixel is its see-through colour.
    PictureCanvas().DrawTransparent(w.x + 8, w.y + 8, b, b.Pixel(0, 15));
  };
  if (CurrentMapId == midJourney) {
    // Waypoints 6 and 7 are the branch point and the venue: no checkpoints.
    for (int i : {0, 6, 7}) put(i, kStart);
    const int64_t cleared = std::min<int64_t>(p + 1, 5);
    for (int64_t i = 1; i <= cleared; ++i) put(i, kCleared);
    for (int64_t i = std::max<int64_t>(cleared + 1, 1); i <= 5; ++i) put(i, kOpen);
  } else {
    put(0, kStart);
    put(1, kStart);
    for (int64_t i = 2; i <= p + 1 && i < n; ++i) put(i, kCleared);
    for (int64_t i = std::max<int64_t>(p + 2, 2); i < n; ++i) put(i, kOpen);
  }
}

int ApplyMatchProgress(int playerRoundsWon, int opponentRoundsWon) {
  const int id = CurrentMapId;
  bool moved = false;
  if (id == midJourney) {
    if (playerRoundsWon == 2 && opponentRoundsWon == 0 && CurrentWaypoint == int64_t{MapProgress[id]} + 2) {
      // Past the fifth checkpoint the branch point and the venue open together.
      if (++MapProgress[id] == 4) MapProgress[id] = 6;
      moved = true;
    }
  } else if (id == midTournament || id == midDoraQ) {
    if (playerRoundsWon == 2 && CurrentWaypoint == int64_t{MapProgress[id]} + 2) {
      ++MapProgress[id];
      moved = true;
    }
  }
  if (!moved) return 0;
  if (CurrentMapScene) CurrentMapScene->DrawMarkers();
  SaveProgress();
  return 1;
}
