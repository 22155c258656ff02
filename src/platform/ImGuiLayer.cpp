// platform: Dear ImGui with the IPA fonts and the Japanese glyph ranges.
#include "platform/ImGuiLayer.h"

#include <imgui.h>
#include <imgui_impl_sdl.h>
#include <imgui_impl_sdlrenderer.h>

#include <vector>

#include "platform/HelpText.h"
#include "platform/Text.h"
#include "platform/VkMap.h"
#include "platform/Window.h"

namespace platform::ui {

namespace {

constexpr int kMenuHeight = 20;
bool g_ready = false;
uint32_t g_busyUntil = 0;
ImFont* g_dialogFont = nullptr;
std::function<void()> g_dialogLayer;
std::vector<int> g_keyPresses;
constexpr size_t kMaxKeyPresses = 32;  // nobody drew a frame for a while: keep the latest

struct HelpView {
  bool open = false;
  std::vector<HelpSection> sections;
  int current = 0;
  bool scrollTop = false;
} g_help;

void LoadHelp(const std::string& file) {
  g_help.sections = LoadHelpFile(file);
  if (g_help.sections.empty()) g_help.sections.push_back({"ヘルプ", "ヘルプファイル " + file + " が見つかりません。\n"});
}

void DrawHelp() {
  if (!g_help.open) return;
  ImGui::SetNextWindowPos(ImVec2(40, 40 + kMenuHeight), ImGuiCond_Appearing);
  ImGui::SetNextWindowSize(ImVec2(560, 400), ImGuiCond_Appearing);
  ImGui::SetNextWindowBgAlpha(1.0f);  // readable over a dialog or the game
  if (ImGui::Begin("ヘルプ", &g_help.open)) {
    ImGui::BeginChild("topics", ImVec2(150, 0), true);
    for (int i = 0; i < static_cast<int>(g_help.sections.size()); ++i) {
      if (ImGui::Selectable(g_help.sections[i].keyword.c_str(), g_help.current == i)) {
        g_help.current = i;
        g_help.scrollTop = true;
      }
    }
    ImGui::EndChild();
    ImGui::SameLine();
    ImGui::BeginChild("text", ImVec2(0, 0), true);
    if (g_help.scrollTop) ImGui::SetScrollY(0), g_help.scrollTop = false;
    const auto& s = g_help.sections[static_cast<size_t>(g_help.current)];
    ImGui::TextUnformatted(s.keyword.c_str());
    ImGui::Separator();
    ImGui::TextWrapped("%s", s.body.c_str());
    ImGui::EndChild();
  }
  ImGui::End();
}

}  // namespace

bool Init(SDL_Window* window, SDL_Renderer* renderer) {
  IMGUI_CHECKVERSION();
  ImGui::CreateContext();
  ImGuiIO& io = ImGui::GetIO();
  io.IniFilename = nullptr;  // nothing of the UI is stored on disk
  ImGui::StyleColorsClassic();
  ImGui::GetStyle().WindowRounding = 0;
  std::string font = FontFileFor("ＭＳ Ｐゴシック");
  // Japanese text also uses punctuation, arrows and shapes outside ImGui's Japanese ranges.
  static ImVector<ImWchar> ranges;
  if (ranges.empty()) {
    ImFontGlyphRangesBuilder b;
    b.AddRanges(io.Fonts->GetGlyphRangesJapanese());
    static const ImWchar extra[] = {0x2010, 0x205E, 0x2190, 0x21FF, 0x2460, 0x24FF, 0x2500, 0x26FF, 0};
    b.AddRanges(extra);
    b.BuildRanges(&ranges);
  }
  if (!font.empty()) {
    io.Fonts->AddFontFromFileTTF(font.c_str(), 14.0f, nullptr, ranges.Data);
    // Small dialog text stays sharp when its glyphs sit on whole pixels.
    ImFontConfig small;
    small.OversampleH = 1;
    small.OversampleV = 1;
    small.PixelSnapH = true;
    g_dialogFont = io.Fonts->AddFontFromFileTTF(font.c_str(), 12.0f, &small, ranges.Data);
  } else {
    io.Fonts->AddFontDefault();
  }
  if (!g_dialogFont) g_dialogFont = io.Fonts->Fonts[0];
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
int MenuHeight() { return kMenuHeight; }
bool Busy() {
  return g_help.open || static_cast<bool>(g_dialogLayer) || static_cast<int32_t>(g_busyUntil - SDL_GetTicks()) > 0 ||
         (g_ready && ImGui::IsPopupOpen("", ImGuiPopupFlags_AnyPopupId | ImGuiPopupFlags_AnyPopupLevel));
}

ImFont* DialogFont() { return g_dialogFont; }
void SetDialogLayer(std::function<void()> draw) { g_dialogLayer = std::move(draw); }
const std::vector<int>& FrameKeyPresses() { return g_keyPresses; }
void ClearKeyPresses() { g_keyPresses.clear(); }

void OpenHelp(const std::string& file, const std::string& keyword) {
  LoadHelp(file);
  g_help.current = 0;
  for (size_t i = 0; i < g_help.sections.size(); ++i)
    if (!keyword.empty() && g_help.sections[i].keyword == keyword) g_help.current = static_cast<int>(i);
  g_help.open = true;
  g_help.scrollTop = true;
}

std::function<void()> RenderFrame(const std::function<void()>& overlay) {
  if (!g_ready) return {};
  ImGui_ImplSDLRenderer_NewFrame();
  ImGui_ImplSDL2_NewFrame();
  ImGui::NewFrame();
  std::function<void()> picked;
  if (MenuVisible() && ImGui::BeginMainMenuBar()) {
    for (const auto& m : Menus()) {
      if (ImGui::BeginMenu(m.label.c_str())) {
        for (const auto& it : m.items) {
          if (it.label == "-")
            ImGui::Separator();
          else if (ImGui::MenuItem(it.label.c_str()) && it.action)
            picked = it.action;
        }
        ImGui::EndMenu();
      }
    }
    ImGui::EndMainMenuBar();
  }
  DrawHelp();
  if (g_dialogLayer) g_dialogLayer();
  if (overlay) overlay();
  g_keyPresses.clear();
  ImGui::Render();
  ImGui_ImplSDLRenderer_RenderDrawData(ImGui::GetDrawData());
  return picked;
}

}  // namespace platform::ui
