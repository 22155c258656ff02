// online: the game speed and the settings a match from another machine changes, kept across
// it: the guest and the spectators play at the host's speed only while the match lasts.
#pragma once
#include "actors/BattleState.h"
#include "field/MapState.h"

struct KeptSettings {
  int framePeriod = FramePeriodMs, roundSeconds = RoundSeconds, chipInterval = ChipSpawnInterval;
  int mapId = CurrentMapId;
  void PutBack() const {
    FramePeriodMs = framePeriod;
    RoundSeconds = roundSeconds;
    ChipSpawnInterval = chipInterval;
    CurrentMapId = mapId;
  }
};
