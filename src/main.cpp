// The game: Bramko2 for Windows on a real window.
#include <cstdio>
#include <filesystem>
#include <string>

#include "app/GameApp.h"
#include "online/RouterMapping.h"
#include "platform/net/NetLink.h"

namespace {

const char kUsage[] =
    "usage: bramko2 [--lang ja|en] [--replay FILE | --host [PORT] | --join HOST[:PORT] | --spectate HOST[:PORT]]\n"
    "               [--no-upnp]\n"
    "  --lang ja|en       play this run in Japanese or English, whatever the settings say\n"
    "  --replay FILE      watch a replay (hold any key: 4x faster, Escape: stop), then end\n"
    "  --host [PORT]      online versus: wait for the other player on PORT (UDP, default 7777)\n"
    "  --join HOST[:PORT] online versus: play against the game hosting at HOST\n"
    "  --spectate HOST[:PORT]  watch the matches of the game hosting at HOST\n"
    "  --no-upnp          when hosting, do not ask the router to forward the port\n";

}  // namespace

int main(int argc, char** argv) {
  GameOptions options;
  options.start.kind = platform::BackendKind::Sdl;
  AskRouterWhenHosting = true;
  for (int i = 1; i < argc; ++i) {
    const std::string a = argv[i];
    if (a == "--lang" && i + 1 < argc) {
      options.language = argv[++i];
    } else if (a == "--replay" && i + 1 < argc) {
      // The game works in its own folder: a path given relative to ours must not move.
      options.replayFile = std::filesystem::absolute(argv[++i]).string();
    } else if (a == "--host") {
      options.onlineHost = true;
      if (i + 1 < argc && argv[i + 1][0] != '-') {
        std::string host;
        if (!platform::net::ParseHostPort(std::string("localhost:") + argv[++i], 0, &host, &options.onlinePort)) {
          std::fprintf(stderr, "bramko2: --host takes a port 1-65535\n");
          return 1;
        }
      }
    } else if ((a == "--join" || a == "--spectate") && i + 1 < argc) {
      options.onlineWatch = a == "--spectate";
      if (!platform::net::ParseHostPort(argv[++i], platform::net::kDefaultPort, &options.onlineJoin,
                                        &options.onlinePort)) {
        std::fprintf(stderr, "bramko2: %s takes HOST or HOST:PORT\n", a.c_str());
        return 1;
      }
    } else if (a == "--no-upnp") {
      AskRouterWhenHosting = false;
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
