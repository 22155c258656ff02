// field: the story progress file "BRAMKO.DAT" in the player's data folder: 19 bytes, the walk
// limits of the main menu, journey, tournament and DoraQ maps as 32-bit little-endian
// values, then the three one-time scene flags.
#pragma once
#include <string>

#include "shell/GameFiles.h"  // SaveFilePath
#include "shell/SaveRecord.h"

// Writes the file, making its folder on the first save. It is written beside the old one
// and renamed over it, so a failed write never costs the save already there; a failure
// says so and names the folder. Whether it was written.
bool SaveProgress();
// ファイル → 保存: the same, and a word that it was saved.
void SaveProgressFromMenu();
// Reads the file: -1 when there is none (nothing changes), else 0. The first value is
// skipped; a short file fills what it holds and leaves the rest as it was.
int LoadProgress();
