// shell: where every file of the game lives: its data (effects, tunes, arenas, help), the
// player's settings and save, the replays beside the save, and the single-copy lock. The
// one place that decides it; everything else asks here.
#pragma once
#include <string>
#include <vector>

// Effects, tunes, arenas and help: beside the executable (the build folder or a portable
// copy), or in ../share/bramko2 from it (an installed game). Ends in "/".
std::string DataFolder();

// The player's own files. A portable copy keeps them beside the executable, as the
// original did, while it may write there; an installed game, and a copy in a folder it may
// not write, keeps the settings in $XDG_CONFIG_HOME/bramko2 and the rest in
// $XDG_DATA_HOME/bramko2. Both end in "/" and may not exist yet: MakeFolderFor before a write.
std::string SettingsFolder();
std::string UserDataFolder();  // the save; replays live here too

std::string SettingsFilePath();  // "BRAMKO.INI"
std::string SaveFilePath();      // "BRAMKO.DAT"
std::string ReplayFolder();      // "replays/" beside the save

// Where a copy takes the lock that keeps one copy running per user, in the order to try:
// the user's runtime folder, then the per-user data folder. Never a folder shared by users.
std::vector<std::string> InstanceLockPaths();

// Creates the folder a file is about to be written into; false when it cannot be made.
bool MakeFolderFor(const std::string& path);

// What the player reads when a file cannot be written: the file, why (the system's reason
// for the write that just failed, so call it straight after), and what was kept (one
// sentence, for example that the last save is still there).
std::string CannotWriteMessage(const std::string& path, const std::string& kept);
