// platform/files: the user's folders of the freedesktop base-directory rules, and the tests and
// creation of folders that deciding where a file goes needs.
#pragma once
#include <string>

namespace platform {

// $XDG_CONFIG_HOME, else ~/.config; $XDG_DATA_HOME, else ~/.local/share; $XDG_CACHE_HOME,
// else ~/.cache. A relative value is ignored, as the rules ask. Empty when there is no home
// folder to be found at all.
std::string UserConfigHome();
std::string UserDataHome();
std::string UserCacheHome();
// $XDG_RUNTIME_DIR when it names an existing folder, else empty.
std::string UserRuntimeDir();

bool FolderExists(const std::string& path);
// This process may create and replace files in the folder.
bool FolderWritable(const std::string& path);
// Creates the folder and any missing parents (new ones private to the user); true when it
// exists afterwards.
bool MakeFolders(const std::string& path);

}  // namespace platform
