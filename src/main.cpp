// The game: Bramko2 for Windows on a real window.
#include "app/GameApp.h"

int main() {
  GameOptions options;
  options.start.kind = platform::BackendKind::Sdl;
  return RunGame(options);
}
