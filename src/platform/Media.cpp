// platform: media device. Until real audio is wired, every alias reads as stopped.
#include "platform/Media.h"

#include <filesystem>
#include <map>

namespace platform {

namespace {
std::map<std::string, std::string> g_open;  // alias -> file
}

bool MediaOpen(const std::string& file, const std::string& alias) {
  std::error_code ec;
  if (!std::filesystem::is_regular_file(file, ec) || std::filesystem::file_size(file, ec) == 0) return false;
  g_open[alias] = file;
  return true;
}
bool MediaPlay(const std::string& alias) { return g_open.count(alias) > 0; }
void MediaStop(const std::string&) {}
bool MediaPlaying(const std::string&) { return false; }
void MediaCloseAll() { g_open.clear(); }

}  // namespace platform
