// platform: Dear ImGui with the IPA fonts and the Japanese glyph ranges.
#include "platform/ImGuiLayer.h"

#include <imgui.h>
#include <imgui_impl_sdl.h>
#include <imgui_impl_sdlrenderer.h>

#include <cfloat>
#include <fstream>
#include <sstream>
#include <vector>

#include "platform/Text.h"
#include "platform/VkMap.h"
#include "platform/Window.h"

namespace platform::ui {

namespace {

constexpr int kMenuHeight = 20;
bool g_ready = false;
uint32_t g_busyUntil = 0;
ImFont* g_dialogFont = nullptr;
SDL_Renderer* g_renderer = nullptr;
View g_view;
std::function<void()> g_dialogLayer;
std::vector<int> g_keyPresses;
constexpr size_t kMaxKeyPresses = 32;  // nobody drew a frame for a while: keep the latest

struct HelpSection {
  std::string keyword;
  std::string body;
};
struct HelpView {
  bool open = false;
  std::vector<HelpSection> sections;
  int current = 0;
  bool scrollTop = false;
} g_help;

// Help file: UTF-8 text; a line "= keyword" starts a section, the first section is the contents.
void LoadHelp(const std::string& file) {
  g_help.sections.clear();
  std::ifstream in(file);
  std::string line;
  while (std::getline(in, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.rfind("= ", 0) == 0) {
      g_help.sections.push_back({line.substr(2), ""});
    } else if (!g_help.sections.empty()) {
      g_help.sections.back().body += line + "\n";
    }
  }
  if (g_help.sections.empty()) g_help.sections.push_back({"ヘルプ", "ヘルプファイル " + file + " が見つかりません。\n"});
}

void DrawHelp() {
  if (!g_help.open) return;
  const ImVec2 o = PictureOrigin();
  ImGui::SetNextWindowPos(ImVec2(o.x + 40, o.y + 40), ImGuiCond_Appearing);
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

// The characters the UI's fonts carry: one place, so the atlas is built from one set.
const ImWchar* GlyphRanges() {
  static ImVector<ImWchar> ranges;
  if (ranges.empty()) {
    ImFontGlyphRangesBuilder b;
    b.AddRanges(ImGui::GetIO().Fonts->GetGlyphRangesJapanese());
    // Japanese text also uses punctuation, arrows and shapes outside ImGui's Japanese ranges.
    static const ImWchar extra[] = {0x2010, 0x205E, 0x2190, 0x21FF, 0x2460, 0x24FF, 0x2500, 0x26FF, 0};
    b.AddRanges(extra);
    b.BuildRanges(&ranges);
  }
  return ranges.Data;
}

// Until a dialog, a menu or the help opens, the fonts carry only what the menu strip shows:
// the whole set takes a good part of a second to rasterise at 2x, and start-up shows the
// title without waiting for it.
bool g_fullGlyphs = false;
size_t g_stripMenus = 0;  // how many menus the strip's glyphs were collected from
const ImWchar* StripGlyphRanges() {
  static ImVector<ImWchar> ranges;
  ranges.clear();
  ImFontGlyphRangesBuilder b;
  b.AddRanges(ImGui::GetIO().Fonts->GetGlyphRangesDefault());
  g_stripMenus = Menus().size();
  for (const auto& m : Menus()) {
    b.AddText(m.label.c_str());
    for (const auto& it : m.items) b.AddText(it.label.c_str());
  }
  b.BuildRanges(&ranges);
  return ranges.Data;
}

// The fonts rasterised at the UI's scale and laid out at 1 / scale, so a glyph's texels meet
// the window's pixels one to one. The pixels go to the renderer and are then let go of: the
// atlas of the Japanese glyphs is tens of megabytes.
void BuildFonts(int scale) {
  ImGuiIO& io = ImGui::GetIO();
  ImGui_ImplSDLRenderer_DestroyFontsTexture();
  io.Fonts->Clear();
  const float k = static_cast<float>(scale);
  const std::string font = FontFileFor("ＭＳ Ｐゴシック");
  g_dialogFont = nullptr;
  if (!font.empty()) {
    // Glyphs rasterised at the size they are shown and set on whole pixels stay sharp; no
    // oversampling either, which would triple the atlas for nothing.
    ImFontConfig sharp;
    sharp.OversampleH = 1;
    sharp.OversampleV = 1;
    sharp.PixelSnapH = true;
    const ImWchar* glyphs = g_fullGlyphs ? GlyphRanges() : StripGlyphRanges();
    io.Fonts->AddFontFromFileTTF(font.c_str(), 14.0f * k, &sharp, glyphs);
    g_dialogFont = io.Fonts->AddFontFromFileTTF(font.c_str(), 12.0f * k, &sharp, glyphs);
  } else {
    ImFontConfig plain;
    plain.SizePixels = 13.0f * k;
    io.Fonts->AddFontDefault(&plain);
  }
  if (!g_dialogFont) g_dialogFont = io.Fonts->Fonts[0];
  io.FontGlobalScale = 1.0f / k;
  ImGui_ImplSDLRenderer_CreateFontsTexture();
  io.Fonts->ClearTexData();
}

}  // namespace

bool Init(SDL_Window* window, SDL_Renderer* renderer) {
  IMGUI_CHECKVERSION();
  ImGui::CreateContext();
  ImGuiIO& io = ImGui::GetIO();
  io.IniFilename = nullptr;  // nothing of the UI is stored on disk
  ImGui::StyleColorsClassic();
  ImGui::GetStyle().WindowRounding = 0;
  g_renderer = renderer;
  ImGui_ImplSDL2_InitForSDLRenderer(window);
  ImGui_ImplSDLRenderer_Init(renderer);
  BuildFonts(g_view.scale);
  g_ready = true;
  return true;
}

void SetView(const View& view) {
  const bool rescale = view.scale != g_view.scale;
  g_view = view;
  if (g_ready && rescale) BuildFonts(view.scale);
}
const View& CurrentView() { return g_view; }
ImVec2 PictureOrigin() {
  return ImVec2(static_cast<float>(g_view.imageX) / g_view.scale, static_cast<float>(g_view.imageY) / g_view.scale);
}
ImVec2 PictureCentre() {
  const ImVec2 o = PictureOrigin();
  return ImVec2(o.x + kGameWidth / 2.0f, o.y + kGameHeight / 2.0f);
}

void Shutdown() {
  if (!g_ready) return;
  ImGui_ImplSDLRenderer_Shutdown();
  ImGui_ImplSDL2_Shutdown();
  ImGui::DestroyContext();
  g_ready = false;
  g_fullGlyphs = false;
  g_stripMenus = 0;
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
  // Input only matters to the UI where there is some: in a battle the strip is hidden and
  // the fighters' keys must not make every frame a whole redraw.
  return g_help.open || static_cast<bool>(g_dialogLayer) ||
         (MenuVisible() && static_cast<int32_t>(g_busyUntil - SDL_GetTicks()) > 0) ||
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
  // A dialog or the help needs every glyph; the strip and its menus only their labels'.
  const bool beyondStrip = overlay || g_help.open || g_dialogLayer;
  if (beyondStrip && !g_fullGlyphs) {
    g_fullGlyphs = true;
    BuildFonts(g_view.scale);
  } else if (!g_fullGlyphs && g_stripMenus != Menus().size()) {
    BuildFonts(g_view.scale);
  }
  ImGui_ImplSDLRenderer_NewFrame();
  ImGui_ImplSDL2_NewFrame();
  // The UI is laid out in game pixels over the whole drawable; the mouse arrives in window
  // coordinates.
  ImGuiIO& io = ImGui::GetIO();
  const float k = static_cast<float>(g_view.scale);
  io.DisplaySize = ImVec2(g_view.outputW / k, g_view.outputH / k);
  io.DisplayFramebufferScale = ImVec2(1, 1);
  if (io.MousePos.x > -FLT_MAX / 2)
    io.MousePos = ImVec2(io.MousePos.x * g_view.pointScale / k, io.MousePos.y * g_view.pointScale / k);
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
  SDL_RenderSetScale(g_renderer, k, k);
  ImGui_ImplSDLRenderer_RenderDrawData(ImGui::GetDrawData());
  SDL_RenderSetScale(g_renderer, 1, 1);
  return picked;
}

}  // namespace platform::ui
