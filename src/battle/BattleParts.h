// battle: pieces the match, the round loop and the round results share.
#pragma once
#include "platform/Bitmap.h"
#include "shell/Game.h"

class BramkoPlayer;
struct OpponentRecord;

// The fighter of a side: a ManPlayer for a null record, else a ComPlayer of the record;
// its gauge tiles are copied too.
BramkoPlayer* CreateFighter(int side, const OpponentRecord* record);

// Escape in the frame loop: the battle screen with the pause panel on the picture control
// until a press; wrQuit when that press was cancel (or the window is closing).
TWaitResult PauseBattle();

// Three jumps for joy at (x, base): victory poses, the "Jump" sound and an arc of 41 steps
// each. keepMusic: the round's music is kept looping during the arcs.
void JumpForJoy(BramkoPlayer& fighter, int x, int base, bool keepMusic);
// Takes x of the sprite's source rectangle (its row stays): animation and pose frames.
void SetFrameColumn(BramkoPlayer& fighter, int left);

// The boss of the DoraQ chapter beaten: the cut-scene of its defeat.
void PlayDoraQVictory();

// Copies the fighters' values into LastMatch, with the result so far.
void ReportMatch(int result);

// The battle screen drawn off screen, then dissolved onto the window's canvas.
void DissolveInBattleScreen();
