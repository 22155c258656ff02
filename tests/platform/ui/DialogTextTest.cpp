// The dialogs' text is measured in the picture's pixels at every window scale: the help
// breaks its lines at the same places at 1x, 2x and 4x, and they fill its pane.
#include <gtest/gtest.h>

#include <SDL.h>

#include <algorithm>
#include <cstdlib>

#include "platform/ui/DialogWidgets.h"
#include "platform/ui/help/HelpText.h"
#include "platform/ui/ImGuiLayer.h"
#include "platform/ui/help/LineBreak.h"

namespace {

TEST(DialogText, HelpLinesBreakAtTheSameWidthAtEveryScale) {
  // The longest paragraph of the help, broken as the viewer breaks it.
  std::string para;
  for (const auto& s : platform::LoadHelpFile(BRAMKO_RUNTIME_DIR "/BRAMKO.HLP")) {
    size_t from = 0;
    for (size_t to; (to = s.body.find('\n', from)) != std::string::npos; from = to + 1)
      if (to - from > para.size()) para = s.body.substr(from, to - from);
  }
  ASSERT_GT(para.size(), 150u) << "no long paragraph in the help";

  setenv("SDL_VIDEODRIVER", "dummy", 1);
  ASSERT_EQ(SDL_Init(SDL_INIT_VIDEO), 0) << SDL_GetError();
  SDL_Window* window = SDL_CreateWindow("t", 0, 0, 640, 500, 0);
  ASSERT_NE(window, nullptr) << SDL_GetError();
  SDL_Renderer* renderer = SDL_CreateRenderer(window, -1, SDL_RENDERER_SOFTWARE);
  ASSERT_NE(renderer, nullptr) << SDL_GetError();
  ASSERT_TRUE(platform::ui::Init(window, renderer));

  constexpr float kPane = 240;  // narrower than the help's pane, so a line breaks thrice
  std::vector<std::vector<std::string>> broken;
  for (int scale : {1, 2, 4}) {
    platform::ui::View v;
    v.scale = scale;
    v.outputW = 640 * scale;
    v.outputH = 500 * scale;
    platform::ui::SetView(v);
    platform::ui::RequireGlyphs(para);
    platform::ui::BuildFrame([] {});  // a dialog's frame: the font gets every glyph
    EXPECT_EQ(platform::dlg::LineHeight(), 13) << "at " << scale << "x";
    auto lines = platform::BreakLines(para, kPane, [](std::string_view t) { return platform::dlg::TextWidth(t); });
    ASSERT_GT(lines.size(), 2u);
    float widest = 0;
    for (const auto& l : lines) widest = std::max(widest, platform::dlg::TextWidth(l));
    // Lines fill the pane to within two of the font's 12-pixel characters.
    EXPECT_LE(widest, kPane) << "at " << scale << "x";
    EXPECT_GE(widest, kPane - 24) << "at " << scale << "x the lines end short of the pane: " << lines[0];
    broken.push_back(lines);
  }
  EXPECT_EQ(broken[1], broken[0]) << "2x breaks the help's lines elsewhere than 1x";
  EXPECT_EQ(broken[2], broken[0]) << "4x breaks the help's lines elsewhere than 1x";

  platform::ui::Shutdown();
  SDL_DestroyRenderer(renderer);
  SDL_DestroyWindow(window);
  SDL_QuitSubSystem(SDL_INIT_VIDEO);
}

}  // namespace
