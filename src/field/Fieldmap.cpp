// field: construction of a waypoint map, cursor moves and the scene step.
#include "field/Fieldmap.h"

#include <algorithm>

#include "field/Bramkochar.h"
#include "field/FieldmapJump.h"
#include "platform/Input.h"
#include "platform/Window.h"
#include "shell/Bramkoworld.h"
#include "shell/Game.h"
#include "shell/GameMedia.h"

namespace {

constexpr uint32_t kRepeatMs = 200;  // a held key moves the hero once per this time

}  // namespace

FieldMap::FieldMap(platform::Canvas& target, const std::string& pictureName, int mapId)
    : LFieldBMP(target, pictureName) {
  HelpKeyword = "フィールドマップ";
  CurrentMapId = mapId;
  SetSceneStep(nullptr);
  CurrentMapScene = this;
  SceneName = "FieldMap";
  // The scene before may have left its select action behind; the new one sets its own.
  SelectHandler = nullptr;
  cursor = new BramkoChar(this, &SpriteSheet, &SpriteMask, {0, 0, 32, 32});
  MapCursor = cursor;
  cursor->MoveTo(96, 96);
  cursor->period = 1;  // the hero keeps walking on the spot
  CurrentWaypoint = 0;
  MapLastActionTime = 0;
  platform::SetTimerInterval(20);
  topMenu = 0;
}

FieldMap::~FieldMap() {
  SetSceneStep(nullptr);
  if (MapCursor == cursor) MapCursor = nullptr;
  ReleaseSprite(cursor);
  waypoints.clear();
  // Nothing may reach a map that is gone; the next scene sets its own.
  if (CurrentMapScene == this) CurrentMapScene = nullptr;
}

int FieldMap::WalkLimit() const {
  // Wide arithmetic: a progress file holds any value, and the largest must not wrap round.
  return static_cast<int>(std::min<int64_t>(WaypointCount() - 1, int64_t{MapProgress[CurrentMapId]} + 2));
}

void FieldMap::MoveCursorTo(int index) {
  CurrentWaypoint = index;
  const LPoint& p = Waypoint(index);
  MapCursor->MoveTo(p.x, p.y);
  CurrentMapScene->StepAll();
  CurrentMapScene->OnWaypointChanged();
}

namespace {

// Moves to the neighbour c - 1 or c + 1 (the earlier first) that lies on the wanted side
// of the hero; only neighbours up to the walk limit count. True when the hero moved.
template <class Beyond>
bool TryNeighbours(FieldMap& map, Beyond beyond) {
  const int c = CurrentWaypoint;
  if (c > 0 && beyond(map.Waypoint(c - 1))) {
    map.MoveCursorTo(c - 1);
    return true;
  }
  if (c + 1 <= map.WalkLimit() && beyond(map.Waypoint(c + 1))) {
    map.MoveCursorTo(c + 1);
    return true;
  }
  return false;
}

}  // namespace

int FieldMapStep() {
  if (!CurrentMapScene) return 0;
  // A pad's Start backs out of a map like Escape, but on the main menu, where Escape ends
  // the program, it does nothing: pad players press Start to begin, not to quit.
  if (AbortPressed() && !(CurrentMapScene->topMenu && platform::EscapeFromPad())) {
    SetSceneStep(nullptr);
    const bool top = CurrentMapScene && CurrentMapScene->topMenu;
    delete CurrentMapScene;
    if (top) return -1;
    StartMainMenu();
    return 0;
  }
  KeepMusicLooping();
  const TInputBits b = ReadPlayerInput(piBoth);
  if (b == 0) {
    // A key let go for one reading only is still held; 40 ms later it really is up.
    BusyWait(40);
    if (ReadPlayerInput(piBoth) == 0) MapLastInput = 0;
  }
  const uint32_t now = TickCount();
  if (now - MapLastActionTime <= kRepeatMs && MapLastInput != 0) {
    CurrentMapScene->StepAll();
    return 0;
  }
  MapLastActionTime = now;
  MapLastInput = b;

  FieldMap& map = *CurrentMapScene;
  const LPoint p = MapCursor->GetPosition();
  if ((b & ibUp) && TryNeighbours(map, [&](const LPoint& w) { return w.y < p.y; })) return 0;
  if ((b & ibDown) && TryNeighbours(map, [&](const LPoint& w) { return w.y > p.y; })) return 0;
  if ((b & ibLeft) && TryNeighbours(map, [&](const LPoint& w) { return w.x < p.x; })) return 0;
  if (b & ibRight) {
    if (TryNeighbours(map, [&](const LPoint& w) { return w.x > p.x; })) return 0;
    if (CurrentWaypoint == 6 && CurrentMapId == midJourney) GreatJump(map);
  }
  if ((b & ibDecide) && SelectHandler) return SelectHandler();
  if (CurrentMapScene) CurrentMapScene->StepAll();
  return 0;
}
