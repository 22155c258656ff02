// The game: Bramko2 for Windows on a real window.
#include <cstdio>
#include <filesystem>
#include <string>

#include "app/GameApp.h"

namespace {

const char kUsage[] =
    "usage: bramko2 [--replay FILE]\n"
    "  --replay FILE  watch a replay (hold any key: 4x faster, Escape: stop), then end\n";

}  // namespace

int main(int argc, char** argv) {
  GameOptions options;
  options.start.kind = platform::BackendKind::Sdl;
  for (int i = 1; i < argc; ++i) {
    const std::string a = argv[i];
    if (a == "--replay" && i + 1 < argc) {
      // The game works in its own folder: a path given relative to ours must not move.
      options.replayFile = std::filesystem::absolute(argv[++i]).string();
    } else if (a == "--help" || a == "-h") {
      std::fputs(kUsage, stdout);
      return 0;
    } else {
      std::fprintf(stderr, "bramko2: unknown option %s\n%s", a.c_str(), kUsage);
      return 1;
    }
  }
  return RunGame(options);
}
