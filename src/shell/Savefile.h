// shell: the story progress file "BRAMKO.DAT" beside the executable: 19 bytes, the walk
// limits of the main menu, journey, tournament and DoraQ maps as 32-bit little-endian
// values, then the three one-time scene flags.
#pragma once
#include <string>

#include "shell/SaveRecord.h"

std::string SaveFilePath();
// Writes the file. It is written beside the old one and renamed over it, so a failed
// write never costs the save already there; a failure shows the file error box.
void SaveProgress();
// Reads the file: -1 when there is none (nothing changes), else 0. The first value is
// skipped; a short file fills what it holds and leaves the rest as it was.
int LoadProgress();
