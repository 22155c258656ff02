// field: the great jump from waypoint 6 of the journey map.
#include "field/FieldmapJump.h"

#include "field/Bramkochar.h"
#include "field/Fieldmap.h"
#include "platform/Window.h"
#include "shell/Bramkoworld.h"
#include "shell/Game.h"
#include "shell/GameMedia.h"

void (*DoraQStageConstructor)(platform::Canvas& canvas) = nullptr;

void GreatJump(FieldMap& map) {
  SetSceneStep(nullptr);
  double x = 560.0, y = 128.0;
  const double vx = 2.0;
  double vy = -2.0;
  const double ay = 0.0;

  // The flight is drawn on the window's own canvas, so the picture control does not flicker.
  map.RedrawAllTo(*BattleCanvas);
  platform::SetImageVisible(false);
  map.SetTargetCanvas(*BattleCanvas);
  map.RedrawAll();

  MapCursor->MoveTo(static_cast<int>(x), static_cast<int>(y));
  map.StepAll();
  BusyWait(250);
  MapCursor->MoveTo(-60, -60);
  map.StepAll();
  PlaySound("DrawScore");
  BusyWait(500);
  x += 25;
  y -= 25;
  PlaySound("daijump");
  do {
    x += vx;
    y += vy;
    vy += ay;
    MapCursor->MoveTo(static_cast<int>(x), static_cast<int>(y));
    map.StepAll();
    BusyWait(2);
  } while (x <= 640);
  WaitSoundEnd();
  BusyWait(400);
  map.DissolveOut();
  BusyWait(500);

  map.SetTargetCanvas(*ScreenCanvas);
  ClearScreen();
  platform::SetImageVisible(true);

  platform::Canvas& canvas = map.GetTargetCanvas();
  delete &map;
  DoraQLastWaypoint = 1;
  if (DoraQStageConstructor)
    DoraQStageConstructor(canvas);
  else
    StartMainMenu();
}
