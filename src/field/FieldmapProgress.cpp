// field: the progress markers of the story maps and the progress rule after a match.
#include <algorithm>

#include "field/Fieldmap.h"
#include "shell/Bramkoworld.h"
#include "shell/Savefile.h"

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
  const int p = MapProgress[CurrentMapId];
  const int n = WaypointCount();
  auto put = [&](int index, Marker m) {
    if (index < 0 || index >= n) return;
    const platform::Bitmap& b = markers[m];
    const LPoint& w = Waypoint(index);
    // The marker's bottom-left pixel is its see-through colour.
    PictureCanvas().DrawTransparent(w.x + 8, w.y + 8, b, b.Pixel(0, 15));
  };
  if (CurrentMapId == midJourney) {
    // Waypoints 6 and 7 are the branch point and the venue: no checkpoints.
    for (int i : {0, 6, 7}) put(i, kStart);
    const int cleared = std::min(p + 1, 5);
    for (int i = 1; i <= cleared; ++i) put(i, kCleared);
    for (int i = std::max(cleared + 1, 1); i <= 5; ++i) put(i, kOpen);
  } else {
    put(0, kStart);
    put(1, kStart);
    for (int i = 2; i <= p + 1 && i < n; ++i) put(i, kCleared);
    for (int i = std::max(p + 2, 2); i < n; ++i) put(i, kOpen);
  }
}

int ApplyMatchProgress(int playerRoundsWon, int opponentRoundsWon) {
  const int id = CurrentMapId;
  bool moved = false;
  if (id == midJourney) {
    if (playerRoundsWon == 2 && opponentRoundsWon == 0 && CurrentWaypoint == MapProgress[id] + 2) {
      // Past the fifth checkpoint the branch point and the venue open together.
      if (++MapProgress[id] == 4) MapProgress[id] = 6;
      moved = true;
    }
  } else if (id == midTournament || id == midDoraQ) {
    if (playerRoundsWon == 2 && CurrentWaypoint == MapProgress[id] + 2) {
      ++MapProgress[id];
      moved = true;
    }
  }
  if (!moved) return 0;
  if (CurrentMapScene) CurrentMapScene->DrawMarkers();
  SaveProgress();
  return 1;
}
