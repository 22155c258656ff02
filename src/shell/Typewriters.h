// shell: the typewriters of the story texts. A Japanese line is Shift-JIS bytes: two-byte
// characters are printed one at a time, one-byte codes set the pace ("H" at once, "S" speech
// pace, "$" a pause, ...). Each writer has its own set of codes and its own pen. An English
// line is the catalogue's UTF-8 with its codes braced ("{S}"); every letter is typed, faster
// than a Japanese character, so that a line takes about the time of the Japanese it
// translates.
#pragma once
#include <string>

#include "platform/Bitmap.h"
#include "shell/Bramkoworld.h"

// What the writers type for a story line of the sources: its Shift-JIS bytes in the Japanese
// game; in another language the catalogue's UTF-8 line, whose pacing codes are written in
// braces ("{H}", "{$}", ...) and read by the writers as the same one-byte codes.
std::string StoryLine(const char* japanese);

// The current speaker of the journey chapter, 256 x 256: the two talking frames side by
// side at the top, the same two frames nodding below.
extern platform::Bitmap FacePicture;

// The journey chapter's message box with a talking face. "#" nods (and skips the byte
// after it). 0 when the line is done, -1 when cancelled.
int TalkingFaceWriter(platform::Canvas& canvas, int line, const std::string& text);
// The DoraQ chapter's cut-scene lines: the same without a face. 0 done, -1 cancelled.
int CutSceneLineWriter(platform::Canvas& canvas, int line, const std::string& text);

// The ending scene an EndingLineWriter serves.
class EndingWriterScene {
 public:
  virtual ~EndingWriterScene() = default;
  virtual platform::Canvas& WriterCanvas() = 0;
  // "C": after the text area is cleared, repaint the picture and the message window.
  virtual void RedrawMessagePage() = 0;
  // Cancel: the scene ends (the writer stops and touches it no more).
  virtual void CancelEnding() = 0;
  // The end of the text: the scene's own step, installed for the next tick.
  virtual SceneStepFn ScriptStep() = 0;
};

// The tournament ending's writer, driven by the main window's timer: one token per tick,
// the tick's length set by the token. Starts the first token 100 ms from now.
void EndingLineWriter(EndingWriterScene* scene, int line, const std::string& text);
// The installed step of EndingLineWriter.
int EndingLineWriterStep();
// Forgets a running ending line (the scene is going away).
void StopEndingLineWriter();

// The profile screen's spoken lines: two-byte characters at size 18 in white, up to 45 ms
// apart (any input types at once), with a "talk" blip whenever the last one has ended.
void ProfileLineWriter(platform::Canvas& canvas, int x, int y, const std::string& text);
