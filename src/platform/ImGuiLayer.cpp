// platform: Dear ImGui over SDL_Renderer, with the IPA fonts and the game's glyph set.
#include "platform/ImGuiLayer.h"

#include <imgui.h>
#include <imgui_impl_sdl.h>
#include <imgui_impl_sdlrenderer.h>

#include "platform/FontAtlas.h"
#include "platform/MenuBar.h"
#include "platform/VkMap.h"
#include "platform/Window.h"

namespace platform::ui {

namespace {

bool g_ready = false;
bool g_inFrame = false;
bool g_fontsStale = false;  // characters were added to the glyph set since the atlas was built
uint32_t g_busyUntil = 0;
ImFont* g_dialogFont = nullptr;
std::function<void()> g_dialogLayer;
std::vector<int> g_keyPresses;
constexpr size_t kMaxKeyPresses = 32;  // nobody drew a frame for a while: keep the latest

void BuildFonts() {
  g_dialogFont = AddGameFont(*ImGui::GetIO().Fonts, 1.0f);
  g_fontsStale = false;
}

}  // namespace

bool Init(SDL_Window* window, SDL_Renderer* renderer) {
  IMGUI_CHECKVERSION();
  ImGui::CreateContext();
  ImGuiIO& io = ImGui::GetIO();
  io.IniFilename = nullptr;  // nothing of the UI is stored on disk
  ImGui::StyleColorsClassic();
  ImGui::GetStyle().WindowRounding = 0;
  BuildFonts();
  ImGui_ImplSDL2_InitForSDLRenderer(window);
  ImGui_ImplSDLRenderer_Init(renderer);
  g_ready = true;
  return true;
}

void Shutdown() {
  if (!g_ready) return;
  ImGui_ImplSDLRenderer_Shutdown();
  ImGui_ImplSDL2_Shutdown();
  ImGui::DestroyContext();
  g_ready = false;
  g_dialogFont = nullptr;
  CloseMenu();
}

bool ProcessEvent(const SDL_Event& e) {
  if (!g_ready) return false;
  if (e.type == SDL_MOUSEMOTION || e.type == SDL_MOUSEBUTTONDOWN || e.type == SDL_MOUSEBUTTONUP ||
      e.type == SDL_KEYDOWN || e.type == SDL_TEXTINPUT || e.type == SDL_MOUSEWHEEL)
    g_busyUntil = SDL_GetTicks() + 500;
  if (e.type == SDL_KEYDOWN && !e.key.repeat) {
    auto vks = VksForScancode(e.key.keysym.scancode, (SDL_GetModState() & KMOD_NUM) != 0);
    if (!vks.empty()) {
      if (g_keyPresses.size() >= kMaxKeyPresses) g_keyPresses.erase(g_keyPresses.begin());
      g_keyPresses.push_back(vks.back());
    }
  }
  return ImGui_ImplSDL2_ProcessEvent(&e);
}

bool WantsMouse() { return g_ready && ImGui::GetIO().WantCaptureMouse; }
int MenuHeight() { return kMenuBarHeight; }
bool Busy() {
  return static_cast<bool>(g_dialogLayer) || MenuOpen() || static_cast<int32_t>(g_busyUntil - SDL_GetTicks()) > 0 ||
         (g_ready && ImGui::IsPopupOpen("", ImGuiPopupFlags_AnyPopupId | ImGuiPopupFlags_AnyPopupLevel));
}

bool InFrame() { return g_inFrame; }
ImFont* DialogFont() { return g_dialogFont; }
void RequireGlyphs(std::string_view utf8) {
  if (AddGlyphs(utf8)) g_fontsStale = true;
}
void SetDialogLayer(std::function<void()> draw) { g_dialogLayer = std::move(draw); }
const std::vector<int>& FrameKeyPresses() { return g_keyPresses; }
void ClearKeyPresses() { g_keyPresses.clear(); }

std::function<void()> RenderFrame(const std::function<void()>& overlay) {
  if (!g_ready) return {};
  if (g_fontsStale) {
    // Between frames only: ImGui may not lose its fonts in the middle of one.
    BuildFonts();
    ImGui_ImplSDLRenderer_DestroyFontsTexture();
  }
  ImGui_ImplSDLRenderer_NewFrame();
  ImGui_ImplSDL2_NewFrame();
  ImGui::NewFrame();
  g_inFrame = true;
  std::function<void()> picked;
  if (MenuVisible())
    DrawMenuBar(!overlay, &picked);
  else
    CloseMenu();
  if (g_dialogLayer) g_dialogLayer();
  if (overlay) overlay();
  g_keyPresses.clear();
  g_inFrame = false;
  ImGui::Render();
  ImGui_ImplSDLRenderer_RenderDrawData(ImGui::GetDrawData());
  return picked;
}

}  // namespace platform::ui
