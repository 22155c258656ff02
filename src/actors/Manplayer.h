// actors: the fighter a person steers (module Manplayer). Each action it reads one input
// source and makes one grid step, fires its loaded fang or starts the emergency dodge.
#pragma once
#include "actors/Bramkoplayer.h"
#include "input/KeyTable.h"

class ManPlayer : public BramkoPlayer {
 public:
  ManPlayer(LField* stage, const platform::Bitmap* sheet, const platform::Bitmap* mask, const platform::Rect& source);

 protected:
  ~ManPlayer() override;

 public:
  int Move() override;  // always 0
  std::string GetName() override;

  // TPlayerId whose input drives the fighter; -1 = this side's default (SlotPlayer).
  int inputSource = -1;
  // The player whose input it reads now.
  int InputPlayer() const;

  // The whole state of a person's fighter beyond BramkoPlayer's is where its input comes from.
  int SavePerson() const { return inputSource; }
  void LoadPerson(int source) { inputSource = source; }
};

// What the action of the fighter of side reads from its input source (a TPlayerId): the
// match points this at its door to the players, which may record, replay or exchange the
// bits; null reads the keys.
extern TInputBits (*ManPlayerInput)(int side, int source);

// The dodge: off the arena for this many actions, at these x.
inline constexpr int kDodgeActions = 12;
inline constexpr int kDodgeLeftX = -96, kDodgeRightX = 688;
