// shell: the one random generator of the whole program. Each draw is 0..32767; callers take
// it modulo a small number or mask it, and those moduli are part of the game's behaviour.
#pragma once
#include <cstdint>

void SeedRandom(uint32_t seed);
int RandomDraw();
uint32_t RandomState();
