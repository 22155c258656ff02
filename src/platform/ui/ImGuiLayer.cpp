// platform/ui: Dear ImGui over SDL_Renderer, with the IPA fonts and the game's glyph set, laid
// out in game pixels and drawn at the window's whole-number scale.
#include "platform/ui/ImGuiLayer.h"

#include <imgui.h>
#include <imgui_internal.h>
#include <imgui_impl_sdl.h>
#include <imgui_impl_sdlrenderer.h>

#include <algorithm>
#include <cfloat>
#include <cmath>
#include <cstring>
#include <functional>
#include <string_view>

#include "platform/ui/DrawListDiff.h"
#include "platform/ui/FontAtlas.h"
#include "platform/Input.h"
#include "platform/ui/MenuBar.h"
#include "platform/VkMap.h"
#include "platform/Window.h"

namespace platform::ui {

namespace {

bool g_ready = false;
bool g_inFrame = false;
bool g_fontsStale = false;  // characters were added to the glyph set since the atlas was built
uint32_t g_inputUntil = 0;  // frames are built until then after input: ImGui reacts over a few
bool g_settling = false;    // the last frame changed: the next may still
bool g_drawable = false;    // the last frame's draw data uses the fonts of now
bool g_redrawAsked = false;
uint32_t g_redrawAt = 0;
bool g_frameChanged = true;
ImFont* g_dialogFont = nullptr;
float g_textScale = 1;  // the font is laid out at this factor of its rasterised size
DrawListDiff g_lastFrame;
SDL_Rect g_damage{0, 0, 0, 0};
SDL_Renderer* g_renderer = nullptr;
View g_view;
std::function<void()> g_dialogLayer;
std::vector<int> g_keyPresses;
constexpr size_t kMaxKeyPresses = 32;  // nobody drew a frame for a while: keep the latest

// Until a dialog, a menu or the help opens, the font carries only what the menu strip shows:
// the whole set takes a good part of a second to rasterise at 2x, and start-up shows the
// title without waiting for it.
bool g_fullGlyphs = false;
size_t g_stripMenus = 0;  // how many menus the strip's glyphs were collected from
std::vector<ImWchar> StripGlyphRanges() {
  ImVector<ImWchar> ranges;
  ImFontGlyphRangesBuilder b;
  b.AddRanges(ImGui::GetIO().Fonts->GetGlyphRangesDefault());
  g_stripMenus = Menus().size();
  for (const auto& m : Menus()) {
    b.AddText(m.label.c_str());
    for (const auto& it : m.items) b.AddText(it.label.c_str());
  }
  b.BuildRanges(&ranges);
  return std::vector<ImWchar>(ranges.begin(), ranges.end());
}

// The font rasterised at the UI's scale and laid out at 1 / scale, so a glyph's texels meet
// the window's pixels one to one. The pixels go to the renderer and are then let go of: the
// atlas of the Japanese glyphs is megabytes.
void BuildFonts() {
  ImGuiIO& io = ImGui::GetIO();
  ImGui_ImplSDLRenderer_DestroyFontsTexture();
  const float k = static_cast<float>(g_view.scale);
  const std::vector<ImWchar> strip = g_fullGlyphs ? std::vector<ImWchar>{} : StripGlyphRanges();
  g_dialogFont = AddGameFont(*io.Fonts, k, g_fullGlyphs ? nullptr : &strip);
  io.FontGlobalScale = g_textScale = 1.0f / k;
  ImGui_ImplSDLRenderer_CreateFontsTexture();
  io.Fonts->ClearTexData();
  g_fontsStale = false;
  g_drawable = false;
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
  BuildFonts();
  g_ready = true;
  return true;
}

void SetView(const View& view) {
  const bool rescale = view.scale != g_view.scale;
  g_view = view;
  if (g_ready && rescale) BuildFonts();
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
  CloseMenu();
}

namespace {

bool g_padSwapped = false;

// A controller answers the game's own windows as the keyboard does: decide is Enter, cancel
// and Start are Escape, the D-pad is the arrow keys.
int VkForPadButton(int button) {
  constexpr int kVkEnter = 0x0D, kVkEscape = 0x1B, kVkLeft = 0x25, kVkUp = 0x26, kVkRight = 0x27, kVkDown = 0x28;
  switch (button) {
    case SDL_CONTROLLER_BUTTON_A: return g_padSwapped ? kVkEscape : kVkEnter;
    case SDL_CONTROLLER_BUTTON_B: return g_padSwapped ? kVkEnter : kVkEscape;
    case SDL_CONTROLLER_BUTTON_START: return kVkEscape;
    case SDL_CONTROLLER_BUTTON_DPAD_UP: return kVkUp;
    case SDL_CONTROLLER_BUTTON_DPAD_DOWN: return kVkDown;
    case SDL_CONTROLLER_BUTTON_DPAD_LEFT: return kVkLeft;
    case SDL_CONTROLLER_BUTTON_DPAD_RIGHT: return kVkRight;
    default: return 0;
  }
}

void NoteKeyPress(int vk) {
  if (g_keyPresses.size() >= kMaxKeyPresses) g_keyPresses.erase(g_keyPresses.begin());
  g_keyPresses.push_back(vk);
}

}  // namespace

bool ProcessEvent(const SDL_Event& e) {
  if (!g_ready) return false;
  // Any event may change what the UI shows (a pad plugged in, a button, the focus), a
  // stick's or a sensor's stream of readings aside: frames are built for a while after it.
  if (e.type != SDL_JOYAXISMOTION && e.type != SDL_CONTROLLERAXISMOTION && e.type != SDL_JOYBALLMOTION &&
      e.type != SDL_CONTROLLERSENSORUPDATE && e.type != SDL_SENSORUPDATE && e.type != SDL_CONTROLLERTOUCHPADMOTION)
    g_inputUntil = SDL_GetTicks() + 500;
  if (e.type == SDL_CONTROLLERBUTTONDOWN) {
    if (int vk = VkForPadButton(e.cbutton.button)) NoteKeyPress(vk);
    return false;
  }
  if (e.type == SDL_KEYDOWN && !e.key.repeat) {
    auto vks = VksForScancode(e.key.keysym.scancode, (SDL_GetModState() & KMOD_NUM) != 0);
    if (!vks.empty()) NoteKeyPress(vks.back());
  }
  return ImGui_ImplSDL2_ProcessEvent(&e);
}

bool WantsMouse() { return g_ready && ImGui::GetIO().WantCaptureMouse; }
int MenuHeight() { return kMenuBarHeight; }

bool FrameDue() {
  if (!g_ready) return false;
  const uint32_t now = SDL_GetTicks();
  return g_fontsStale || !g_drawable || g_settling || static_cast<int32_t>(g_inputUntil - now) > 0 ||
         (g_redrawAsked && static_cast<int32_t>(now - g_redrawAt) >= 0);
}
int MsUntilFrameDue() {
  if (!g_redrawAsked) return -1;
  return std::max(0, static_cast<int32_t>(g_redrawAt - SDL_GetTicks()));
}
void RedrawWithin(uint32_t ms) {
  const uint32_t at = SDL_GetTicks() + ms;
  if (!g_redrawAsked || static_cast<int32_t>(at - g_redrawAt) < 0) g_redrawAt = at;
  g_redrawAsked = true;
}
bool DialogsOpen() { return static_cast<bool>(g_dialogLayer); }

bool InFrame() { return g_inFrame; }
ImFont* DialogFont() { return g_dialogFont; }
float TextSize() { return g_dialogFont ? g_dialogFont->FontSize * g_textScale : 12.0f; }
float TextWidth(std::string_view utf8) {
  if (!g_dialogFont) return 0;
  return g_dialogFont->CalcTextSizeA(TextSize(), FLT_MAX, 0.0f, utf8.data(), utf8.data() + utf8.size()).x;
}
void RequireGlyphs(std::string_view utf8) {
  if (AddGlyphs(utf8)) g_fontsStale = true;
}
void SetDialogLayer(std::function<void()> draw) { g_dialogLayer = std::move(draw); }
const std::vector<int>& FrameKeyPresses() { return g_keyPresses; }
void ClearKeyPresses() { g_keyPresses.clear(); }

namespace {

// UI coordinates to drawable pixels, a pixel more on each side for the edges' smoothing.
SDL_Rect ToDrawable(ImVec2 lo, ImVec2 hi) {
  const float k = static_cast<float>(g_view.scale);
  const int x0 = static_cast<int>(std::floor(lo.x * k)) - 1, y0 = static_cast<int>(std::floor(lo.y * k)) - 1;
  const int x1 = static_cast<int>(std::ceil(hi.x * k)) + 1, y1 = static_cast<int>(std::ceil(hi.y * k)) + 1;
  return {x0, y0, x1 - x0, y1 - y0};
}

}  // namespace

std::function<void()> BuildFrame(const std::function<void()>& overlay) {
  if (!g_ready) return {};
  // A dialog, a message box or the help needs every glyph; the strip and its menus only
  // their labels'. Fonts change between frames only: ImGui may not lose them in one.
  const bool beyondStrip = overlay || g_dialogLayer;
  if (beyondStrip && !g_fullGlyphs) {
    g_fullGlyphs = true;
    BuildFonts();
  } else if (g_fontsStale || (!g_fullGlyphs && g_stripMenus != Menus().size())) {
    BuildFonts();
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
  g_redrawAsked = false;
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
  // ImGui's own text field blinks its caret: on 0.8 s, off 0.4 s, on for a while after typing.
  if (const ImGuiInputTextState* field = ImGui::GetInputTextState(ImGui::GetActiveID())) {
    const float anim = field->CursorAnim;
    const float phase = std::fmod(std::max(anim, 0.0f), 1.2f);
    const float next = (anim < 0 ? -anim : 0) + (phase <= 0.8f ? 0.8f - phase : 1.2f - phase);
    RedrawWithin(static_cast<uint32_t>(next * 1000) + 10);
  }
  ImVec2 lo, hi;
  const bool differs = g_lastFrame.Update(*ImGui::GetDrawData(), lo, hi);
  g_frameChanged = !g_drawable || differs;
  g_damage = differs && lo.x <= hi.x ? ToDrawable(lo, hi) : SDL_Rect{0, 0, 0, 0};
  g_settling = g_frameChanged;
  g_drawable = true;
  return picked;
}

bool FrameChanged() { return g_frameChanged; }
SDL_Rect FrameDamage() { return g_frameChanged ? g_damage : SDL_Rect{0, 0, 0, 0}; }

void DrawFrame(const SDL_Rect* clip) {
  if (!g_ready || !g_drawable) return;
  ImDrawData* d = ImGui::GetDrawData();
  const float k = static_cast<float>(g_view.scale);
  // Clipped by narrowing every command's own clip rectangle for this drawing only.
  std::vector<ImVec4> kept;
  if (clip) {
    const ImVec4 c(clip->x / k, clip->y / k, (clip->x + clip->w) / k, (clip->y + clip->h) / k);
    for (int i = 0; i < d->CmdListsCount; ++i)
      for (ImDrawCmd& cmd : d->CmdLists[i]->CmdBuffer) {
        kept.push_back(cmd.ClipRect);
        cmd.ClipRect = ImVec4(std::max(cmd.ClipRect.x, c.x), std::max(cmd.ClipRect.y, c.y),
                              std::min(cmd.ClipRect.z, c.z), std::min(cmd.ClipRect.w, c.w));
      }
  }
  SDL_RenderSetScale(g_renderer, k, k);
  ImGui_ImplSDLRenderer_RenderDrawData(d);
  SDL_RenderSetScale(g_renderer, 1, 1);
  if (!clip) return;
  size_t n = 0;
  for (int i = 0; i < d->CmdListsCount; ++i)
    for (ImDrawCmd& cmd : d->CmdLists[i]->CmdBuffer) cmd.ClipRect = kept[n++];
}

std::vector<SDL_Rect> FrameCovers() {
  std::vector<SDL_Rect> out;
  if (!g_ready || !g_drawable) return out;
  const ImDrawData& d = *ImGui::GetDrawData();
  for (int i = 0; i < d.CmdListsCount; ++i) {
    const ImDrawList& l = *d.CmdLists[i];
    if (l.VtxBuffer.empty()) continue;
    ImVec2 lo(FLT_MAX, FLT_MAX), hi(-FLT_MAX, -FLT_MAX);
    for (const ImDrawVert& v : l.VtxBuffer) {
      lo = ImVec2(std::min(lo.x, v.pos.x), std::min(lo.y, v.pos.y));
      hi = ImVec2(std::max(hi.x, v.pos.x), std::max(hi.y, v.pos.y));
    }
    out.push_back(ToDrawable(lo, hi));
  }
  return out;
}

}  // namespace platform::ui

namespace platform {
void SetPadButtonsSwapped(bool swapped) { ui::g_padSwapped = swapped; }
}  // namespace platform
