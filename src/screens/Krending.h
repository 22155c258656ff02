// screens: the tournament ending (module Krending). After the final is won: the
// interview, the champion's challenge, her confession and the one answer the hero has,
// the chase, the staff roll and the closing picture; then the main menu. Driven by the
// main window's timer: one numbered step per call, the dialogue typed by EndingLineWriter.
// Cancel ends it at any point.
#pragma once
#include "field/Fieldbmp.h"
#include "shell/Typewriters.h"

class BramkoChar;

class KREnding : public LFieldBMP, public EndingWriterScene {
 public:
  // On ScreenCanvas, showing "BENDING1" once the first step gets to it.
  explicit KREnding(platform::Canvas& canvas);
  // Leaves for the main menu: the map behind the profile screen goes too.
  ~KREnding() override;
  // Below the 640 x 400 picture the screen stays black.
  void RedrawAll() override;

  platform::Canvas& WriterCanvas() override { return GetTargetCanvas(); }
  void RedrawMessagePage() override;
  void CancelEnding() override;
  SceneStepFn ScriptStep() override;

  // The choice's cursor while the choice is open, else null.
  const BramkoChar* ChoiceCursor() const { return cursor; }

 private:
  friend int KREndingStep();
  void RunStep();
  void Choose();
  void Closing();
  // False when the roll was cancelled (the ending is gone then).
  bool StaffRoll();
  // The message window: the half-tone tile over the text area, framed white and black.
  void DrawMessageWindow(platform::Canvas& canvas);
  void Say(int line, const char* utf8);
  // A wait that any key shortens, and a hold that only cancel ends. Both destroy the
  // ending on cancel and then answer false: the caller returns at once.
  bool Wait(uint32_t ms);
  bool Hold(uint32_t ms);

  platform::Bitmap messageTile;
  BramkoChar* cursor = nullptr;
};

// The ending on screen (at most one), and the number of the step it runs next (-1 .. 12).
extern KREnding* CurrentEnding;
extern int KREndingStepNumber;

// The ending's scene step: runs the next step of the script.
int KREndingStep();
// Creates the ending on ScreenCanvas and runs its first step: what the profile screen
// does after the final is won.
void StartKREnding();
