// shell: the battle screen's full repaint, installed by the drawing module when present.
#pragma once
#include "platform/Bitmap.h"

extern void (*PaintBattleScreenHook)(platform::Canvas& canvas);
