// platform/sdl: renderer choice, picture upload, scaling and present.
#include "platform/sdl/SdlPresenter.h"

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <utility>
#include <vector>

#include "platform/Window.h"

namespace platform {

namespace {

// True when SDL's GL renderer runs on Mesa's software rasteriser: then every present is
// several milliseconds of CPU spent scaling and pushing the whole window.
bool SoftwareGl(SDL_Renderer* r) {
  SDL_RendererInfo info;
  if (SDL_GetRendererInfo(r, &info) != 0 || std::strncmp(info.name, "opengl", 6) != 0) return false;
  using GetString = const unsigned char* (*)(unsigned);
  auto getString = reinterpret_cast<GetString>(SDL_GL_GetProcAddress("glGetString"));
  const unsigned kGlRenderer = 0x1F01;
  const char* name = getString ? reinterpret_cast<const char*>(getString(kGlRenderer)) : nullptr;
  if (!name) return false;
  return std::strstr(name, "llvmpipe") || std::strstr(name, "softpipe") || std::strstr(name, "swrast");
}

// Runs of changed tiles as rectangles of the picture; runs that repeat in the next tile
// row grow downwards instead of starting a new rectangle.
void DirtyRects(const Bitmap& p, std::vector<SDL_Rect>& out) {
  out.clear();
  const int t = Bitmap::kTile, rows = (p.Height() + t - 1) / t;
  for (int y = 0; y < rows; ++y) {
    uint64_t bits = p.DirtyTiles(y);
    int x = 0;
    while (bits) {
      while (!(bits & 1)) bits >>= 1, ++x;
      int x1 = x;
      while (bits & 1) bits >>= 1, ++x1;
      const int right = x1 >= 64 ? p.Width() : std::min(x1 * t, p.Width());  // folded columns
      const SDL_Rect r{x * t, y * t, right - x * t, std::min((y + 1) * t, p.Height()) - y * t};
      auto above = std::find_if(out.begin(), out.end(),
                                [&r](const SDL_Rect& o) { return o.x == r.x && o.w == r.w && o.y + o.h == r.y; });
      if (above != out.end())
        above->h += r.h;
      else
        out.push_back(r);
      x = x1;
    }
  }
}

}  // namespace

SdlPresenter::~SdlPresenter() { Close(); }

void SdlPresenter::Close() {
  if (sharp_) SDL_DestroyTexture(sharp_);
  if (texture_) SDL_DestroyTexture(texture_);
  if (renderer_) SDL_DestroyRenderer(renderer_);
  sharp_ = texture_ = nullptr;
  renderer_ = nullptr;
  shown_ = nullptr;
}

bool SdlPresenter::Open(SDL_Window* window, std::string* error) {
  window_ = window;
  const char* forced = SDL_GetHint(SDL_HINT_RENDER_DRIVER);
  if (!(forced && *forced)) {
    // A machine with a GPU has a render node; without one, GL would be software anyway.
    std::error_code ec;
    if (std::filesystem::exists("/dev/dri", ec)) {
      renderer_ = SDL_CreateRenderer(window, -1, SDL_RENDERER_ACCELERATED);
      if (renderer_ && SoftwareGl(renderer_)) {
        SDL_DestroyRenderer(renderer_);
        renderer_ = nullptr;
      } else if (renderer_) {
        partial_ = false;
      }
    }
    if (!renderer_) {
      // Draw into the window's own shared-memory pixels instead of a GL texture behind them.
      SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
      renderer_ = SDL_CreateRenderer(window, -1, SDL_RENDERER_SOFTWARE);
      partial_ = renderer_ != nullptr;
    }
  }
  if (!renderer_) renderer_ = SDL_CreateRenderer(window, -1, SDL_RENDERER_ACCELERATED);
  if (!renderer_) renderer_ = SDL_CreateRenderer(window, -1, SDL_RENDERER_SOFTWARE);
  if (!renderer_) {
    if (error) *error = std::string("cannot draw in the window (") + SDL_GetError() + ")";
    return false;
  }
  SDL_RendererInfo info;
  if (!partial_ && SDL_GetRendererInfo(renderer_, &info) == 0 && std::strcmp(info.name, "software") == 0)
    partial_ = true;
  texture_ = SDL_CreateTexture(renderer_, SDL_PIXELFORMAT_RGB888, SDL_TEXTUREACCESS_STREAMING, kGameWidth, kGameHeight);
  if (!texture_) {
    if (error) *error = std::string("cannot draw in the window (") + SDL_GetError() + ")";
    return false;
  }
  SDL_SetTextureScaleMode(texture_, SDL_ScaleModeNearest);
  return true;
}

std::string SdlPresenter::Name() const {
  SDL_RendererInfo info;
  std::string name = SDL_GetRendererInfo(renderer_, &info) == 0 ? info.name : "?";
  return partial_ ? name + ", partial" : name;
}

void SdlPresenter::SetScaleMode(ScaleMode mode) {
  if (mode_ != mode) whole_ = true;
  mode_ = mode;
}

void SdlPresenter::OutputSize(int& w, int& h) const {
  w = kGameWidth;
  h = kGameHeight;
  if (renderer_) SDL_GetRendererOutputSize(renderer_, &w, &h);
}

PictureLayout SdlPresenter::Layout() const {
  int w, h;
  OutputSize(w, h);
  return LayoutPicture(w, h, mode_);
}

void SdlPresenter::Upload(const Bitmap& picture, bool all) {
  if (all || picture.AllDirty() || shown_ != &picture) {
    SDL_UpdateTexture(texture_, nullptr, picture.Row(0), picture.Width() * 4);
  } else {
    std::vector<SDL_Rect> rects;
    DirtyRects(picture, rects);
    for (const SDL_Rect& r : rects) SDL_UpdateTexture(texture_, &r, picture.Row(r.y) + r.x, picture.Width() * 4);
  }
  shown_ = &picture;
}

void SdlPresenter::DrawWhole(const Bitmap& picture, const PictureLayout& l) {
  (void)picture;
  SDL_SetRenderDrawColor(renderer_, 0, 0, 0, 255);
  SDL_RenderClear(renderer_);
  const SDL_Rect dst{l.image.left, l.image.top, l.image.Width(), l.image.Height()};
  if (l.exact) {
    SDL_RenderCopy(renderer_, texture_, nullptr, &dst);
    return;
  }
  // Sharp bilinear: whole-number blocks first, then smoothed only where they meet.
  const int k = std::max(1, (l.image.Width() + kGameWidth - 1) / kGameWidth);
  if (!sharp_ || sharpScale_ != k) {
    if (sharp_) SDL_DestroyTexture(sharp_);
    sharp_ =
        SDL_CreateTexture(renderer_, SDL_PIXELFORMAT_RGB888, SDL_TEXTUREACCESS_TARGET, kGameWidth * k, kGameHeight * k);
    sharpScale_ = k;
    if (sharp_) SDL_SetTextureScaleMode(sharp_, SDL_ScaleModeLinear);
  }
  if (!sharp_ || SDL_SetRenderTarget(renderer_, sharp_) != 0) {
    SDL_RenderCopy(renderer_, texture_, nullptr, &dst);
    return;
  }
  SDL_RenderCopy(renderer_, texture_, nullptr, nullptr);
  SDL_SetRenderTarget(renderer_, nullptr);
  SDL_RenderCopy(renderer_, sharp_, nullptr, &dst);
}

namespace {

bool Meets(const SDL_Rect& a, const std::vector<SDL_Rect>& others) {
  return std::any_of(others.begin(), others.end(), [&a](const SDL_Rect& o) { return SDL_HasIntersection(&a, &o); });
}

// The area grown to whole picture pixels (of n x n from the picture's corner) and cut to
// the drawable.
SDL_Rect Snapped(const SDL_Rect& a, const PictureLayout& l, int w, int h) {
  const int n = l.scale, ox = l.image.left, oy = l.image.top;
  auto down = [n](int v, int o) { return o + (v - o >= 0 ? (v - o) / n : -((o - v + n - 1) / n)) * n; };
  const int x0 = std::max(0, down(a.x, ox)), y0 = std::max(0, down(a.y, oy));
  const int x1 = std::min(w, down(a.x + a.w + n - 1, ox)), y1 = std::min(h, down(a.y + a.h + n - 1, oy));
  return {x0, y0, std::max(0, x1 - x0), std::max(0, y1 - y0)};
}

}  // namespace

// The picture (black beyond it) drawn again inside the area.
void SdlPresenter::Refill(const SDL_Rect& area, const PictureLayout& l) {
  int w, h;
  OutputSize(w, h);
  const SDL_Rect grid = Snapped(area, l, w, h);
  const SDL_Rect image{l.image.left, l.image.top, l.image.Width(), l.image.Height()};
  const int n = l.scale;
  SDL_RenderSetClipRect(renderer_, &area);
  SDL_SetRenderDrawColor(renderer_, 0, 0, 0, 255);
  SDL_RenderFillRect(renderer_, &area);
  SDL_Rect part;
  if (SDL_IntersectRect(&grid, &image, &part)) {
    const SDL_Rect src{(part.x - image.x) / n, (part.y - image.y) / n, part.w / n, part.h / n};
    SDL_RenderCopy(renderer_, texture_, &src, &part);
  }
  SDL_RenderSetClipRect(renderer_, nullptr);
}

void SdlPresenter::SendAreas(const Bitmap& picture, const PictureLayout& l, const Ui& ui) {
  std::vector<SDL_Rect> rects;
  DirtyRects(picture, rects);
  for (const SDL_Rect& r : rects) SDL_UpdateTexture(texture_, &r, picture.Row(r.y) + r.x, picture.Width() * 4);
  int w, h;
  OutputSize(w, h);
  const SDL_Rect window{0, 0, w, h};
  const int n = l.scale;
  std::vector<SDL_Rect> areas;
  // The UI is drawn again inside one rectangle: where it changed and where the picture
  // changed under it, grown to whole pixels of the UI's scale. The picture is drawn there
  // first, so nothing of a closed window stays and nothing is blended twice.
  SDL_Rect again{0, 0, 0, 0};
  auto grow = [&again](const SDL_Rect& r) {
    if (r.w <= 0 || r.h <= 0) return;
    if (again.w <= 0)
      again = r;
    else
      SDL_UnionRect(&again, &r, &again);
  };
  if (!ui.still) {
    if (ui.draw && ui.exact)
      grow(ui.damage);
    else
      for (const std::vector<SDL_Rect>* set : {&std::as_const(covered_), &ui.covers})
        for (const SDL_Rect& c : *set) grow(c);
  }
  const std::vector<SDL_Rect>& under = ui.draw ? ui.covers : covered_;
  for (const SDL_Rect& r : rects) {
    const SDL_Rect d{l.image.left + r.x * n, l.image.top + r.y * n, r.w * n, r.h * n};
    if (Meets(d, under) || Meets(d, covered_)) {
      grow(d);
    } else {
      SDL_RenderCopy(renderer_, texture_, &r, &d);  // the picture alone
      areas.push_back(d);
    }
  }
  if (again.w > 0) {
    const int k = l.uiScale;
    const int x0 = again.x / k * k, y0 = again.y / k * k;
    SDL_Rect r{x0, y0, (again.x + again.w + k - 1) / k * k - x0, (again.y + again.h + k - 1) / k * k - y0};
    if (SDL_IntersectRect(&r, &window, &again)) {
      Refill(again, l);
      if (ui.draw) ui.draw(&again);
      areas.push_back(again);
    }
  }
  SDL_RenderFlush(renderer_);
  if (!areas.empty()) SDL_UpdateWindowSurfaceRects(window_, areas.data(), static_cast<int>(areas.size()));
}

void SdlPresenter::Present(const Bitmap& picture, const Ui& ui) {
  const PictureLayout l = Layout();
  if (!whole_ && ui.still && shown_ == &picture && !picture.AllDirty()) {
    std::vector<SDL_Rect> rects;
    DirtyRects(picture, rects);
    if (rects.empty()) return;  // nothing changed
  }
  if (partial_ && !whole_ && l.exact && shown_ == &picture && !picture.AllDirty()) {
    SendAreas(picture, l, ui);
  } else {
    Upload(picture, whole_);
    DrawWhole(picture, l);
    if (ui.draw) ui.draw(nullptr);
    SDL_RenderPresent(renderer_);
  }
  covered_ = ui.draw ? ui.covers : std::vector<SDL_Rect>{};
  picture.ClearDirty();
  whole_ = false;
}

}  // namespace platform
