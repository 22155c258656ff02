// shell: linear congruential generator, state = state * 22695477 + 1 (mod 2^32).
#include "shell/Random.h"

namespace {
uint32_t g_state = 1;
}

void SeedRandom(uint32_t seed) { g_state = seed; }

int RandomDraw() {
  g_state = g_state * 22695477u + 1u;
  return static_cast<int>((g_state >> 16) & 0x7FFF);
}

uint32_t RandomState() { return g_state; }
