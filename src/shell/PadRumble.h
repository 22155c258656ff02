// shell: the short pulse a player feels on his pads when his fighter is hit (a setting of
// ours, off until the player turns it on).
#pragma once

extern bool PadRumbleOnHit;

// The fighter that reads this player's input (piPlayer1, piPlayer2 or piBoth) was hit: the
// joysticks assigned to that player shake briefly, where they can.
void PulsePlayerPads(int player);
