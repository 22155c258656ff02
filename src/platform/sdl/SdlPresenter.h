// platform/sdl: puts the game picture and the UI over it on the window: the renderer, the
// streaming texture, scaling and centring, and the present itself. Only the tiles of the
// picture that changed are uploaded; when the renderer draws into the window's own pixels
// (no GPU), only they are sent to the display as well, with every area the UI covered or
// covers now whenever the UI changed (a dialog that closed leaves nothing behind).
#pragma once
#include <SDL.h>

#include <functional>
#include <string>
#include <vector>

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
  // The UI over the picture at a present.
  struct Ui {
    std::function<void(const SDL_Rect* clip)> draw;  // draws it, inside clip if given (empty: none)
    bool still = true;                               // it looks as it did at the last present
    std::vector<SDL_Rect> covers;                    // where it draws, in drawable pixels
    bool exact = false;                              // damage holds all that changed since the last present
    SDL_Rect damage{0, 0, 0, 0};                     // else every area covered before or now counts
  };
  // Shows the picture's changes and the UI's.
  void Present(const Bitmap& picture, const Ui& ui);

 private:
  void Upload(const Bitmap& picture, bool all);
  void DrawWhole(const Bitmap& picture, const PictureLayout& l);
  void SendAreas(const Bitmap& picture, const PictureLayout& l, const Ui& ui);
  void Refill(const SDL_Rect& area, const PictureLayout& l);

  SDL_Window* window_ = nullptr;
  SDL_Renderer* renderer_ = nullptr;
  SDL_Texture* texture_ = nullptr;
  SDL_Texture* sharp_ = nullptr;  // the picture at a whole scale, smoothed from there (Fill)
  int sharpScale_ = 0;
  bool partial_ = false;  // software renderer on the window's own pixels
  bool whole_ = true;
  const Bitmap* shown_ = nullptr;  // the picture the texture holds
  std::vector<SDL_Rect> covered_;  // where the UI on screen lies
  ScaleMode mode_ = ScaleMode::Integer;
};

}  // namespace platform
