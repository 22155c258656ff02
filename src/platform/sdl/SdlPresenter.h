// platform (sdl): puts the game picture on the window: the renderer, the streaming texture,
// scaling and centring, and the present itself. Only the tiles of the picture that changed
// are uploaded; when the renderer draws into the window's own pixels (no GPU), only they are
// sent to the display as well.
#pragma once
#include <SDL.h>

#include <functional>
#include <string>

#include "platform/Bitmap.h"
#include "platform/Scaling.h"

namespace platform {

class SdlPresenter {
 public:
  SdlPresenter() = default;
  SdlPresenter(const SdlPresenter&) = delete;
  SdlPresenter& operator=(const SdlPresenter&) = delete;
  ~SdlPresenter();

  bool Open(SDL_Window* window, std::string* error);
  // Lets go of the renderer (before its window goes).
  void Close();
  SDL_Renderer* Renderer() const { return renderer_; }
  // "software, partial" when tiles go straight to the window, else SDL's renderer name.
  std::string Name() const;

  void SetScaleMode(ScaleMode mode);
  ScaleMode GetScaleMode() const { return mode_; }
  // Where the picture sits on the drawable now, and the drawable's size.
  PictureLayout Layout() const;
  void OutputSize(int& w, int& h) const;

  // The next present redraws everything (the window was resized or exposed).
  void Invalidate() { whole_ = true; }
  // Shows the picture. ui draws the UI over it at the window's scale; uiStill says the UI
  // looks as it did at the last present, so the picture's changes alone may be sent as long
  // as none of them lies under the UI's band at the top (stillBandHeight drawable pixels).
  void Present(const Bitmap& picture, const std::function<void()>& ui, bool uiStill, int stillBandHeight);

 private:
  void Upload(const Bitmap& picture, bool all);
  void DrawWhole(const Bitmap& picture, const PictureLayout& l);
  bool SendTiles(const Bitmap& picture, const PictureLayout& l, int bandHeight);

  SDL_Window* window_ = nullptr;
  SDL_Renderer* renderer_ = nullptr;
  SDL_Texture* texture_ = nullptr;
  SDL_Texture* sharp_ = nullptr;  // the picture at a whole scale, smoothed from there (Fill)
  int sharpScale_ = 0;
  bool partial_ = false;  // software renderer on the window's own pixels
  bool whole_ = true;
  const Bitmap* shown_ = nullptr;  // the picture the texture holds
  ScaleMode mode_ = ScaleMode::Integer;
};

}  // namespace platform
