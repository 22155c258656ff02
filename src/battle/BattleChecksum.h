// battle: a checksum of the battle's state: the random generator, the clock, both fighters
// and every sprite on the arena. Two runs of one battle agree on it frame for frame; a replay
// that no longer shows the recorded fight disagrees within a clock second.
#pragma once
#include <cstdint>
#include <string_view>

uint32_t BattleChecksum();

// 32-bit FNV-1a over bytes, continuing from hash (start with kFnvStart).
inline constexpr uint32_t kFnvStart = 2166136261u;
uint32_t Fnv1a(std::string_view bytes, uint32_t hash = kFnvStart);
