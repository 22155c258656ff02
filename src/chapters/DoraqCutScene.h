// chapters: the pieces both DoraQ cut-scenes are built from. A cut-scene shows 384 x 256
// pictures in a white frame at the top of the screen and typed lines in a black box below
// it, over the island map seen through a pattern. The steps that can be cut short return
// false when the whole sequence is to jump to its end.
#pragma once
#include <cstdint>

#include "platform/Bitmap.h"

class FieldMap;

class DoraQCutScene {
 public:
  // The map's picture is borrowed for the masked view; the scene draws on the map's canvas.
  explicit DoraQCutScene(FieldMap& map);
  DoraQCutScene(const DoraQCutScene&) = delete;
  DoraQCutScene& operator=(const DoraQCutScene&) = delete;

  platform::Canvas& Screen() { return screen_; }
  FieldMap& Map() { return map_; }

  // A pause any key shortens. Cancel ends the sequence; Escape only ends the pause.
  bool Pause(uint32_t ms);
  // The short pauses of the stirring coffin: cancel and Escape both end the sequence.
  bool StrictPause(uint32_t ms);
  // One typed line (UTF-8, with the pace codes) on text line 0..4; false on cancel.
  bool Line(int line, const char* text);

  // Hides the hero off the map and blacks out the whole screen.
  void Blackout();
  // The island map seen through the message mask, dissolved in.
  void MaskedMap();
  void Show(const char* picture);      // into the frame at once
  void Dissolve(const char* picture);  // into the frame block by block
  void BackToMap();                    // the frame melts back into the masked map
  void FrameLines();
  void ClearBox();
  // The hero falling from the sky onto the island picture "AOPB".
  bool Fall();
  // Six "…" marks a beat apart, then (Anger) the guard captain's temper snaps after them.
  bool Marks();
  void Anger();

  // Plain white type on black at (x, y) in the given point size.
  void Text(int x, int y, const char* text, int size = 14);
  int TextWidth(const char* text);

  // Lets go of the pictures borrowed for the scene.
  void FreePictures();

 private:
  FieldMap& map_;
  platform::Canvas& screen_;
  platform::Bitmap picture_;  // the picture last put into the frame
  platform::Bitmap pattern_;  // "MessageMask"
};

// Where the cut-scenes draw.
constexpr platform::Rect kPictureFrame{128, 1, 512, 257};
constexpr platform::Rect kPictureFrameLine{127, 0, 513, 257};
constexpr platform::Rect kTextBox{43, 264, 597, 392};
constexpr platform::Rect kTextBoxLine{42, 263, 598, 393};
