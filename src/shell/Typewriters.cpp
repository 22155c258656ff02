// shell: the typewriters of the story texts.
#include "shell/Typewriters.h"

#include "platform/Platform.h"
#include "platform/Text.h"
#include "platform/Translate.h"
#include "platform/Window.h"
#include "shell/Game.h"
#include "shell/GameMedia.h"
#include "shell/StoryCodes.h"
#include "platform/Language.h"

platform::Bitmap FacePicture;

namespace {

// Waits until ms have passed since start. Cancel (or a closing window) gives -1 at once;
// any other input ends the wait early, so a held key types at full speed.
int WaitSince(uint32_t start, uint32_t ms) {
  for (;;) {
    if (CancelPressed() || QuitRequested) return -1;
    if (AnyInput()) return 0;
    const uint32_t elapsed = TickCount() - start;
    if (elapsed >= ms) return 0;
    PumpMessages();
    platform::SpinTurn(ms - elapsed);
  }
}

void PrintAt(platform::Canvas& canvas, int x, int y, const std::string& utf8, int& width) {
  canvas.TextOut(x, y, utf8);
  width = canvas.TextWidth(utf8);
}

// The English lines type every letter, spaces too, at a pace that gives a line the time of
// the Japanese one it translates: over the 28 chapter lines of po/en.po, the 484 characters
// typed at speech pace (100 ms each) became 995 letters, so a letter takes 100 * 484 / 995 =
// 49 ms. The mouth changes every fourth letter (about every 200 ms, as every second
// character does in Japanese). Pauses and nods keep their Japanese length. The figures are
// printed by tools/typing_pace.py.
constexpr uint32_t kEnglishLetterMs = 49;
constexpr int kEnglishMouthLetters = 4;
// The same measure for the ending's 9 lines: 366 characters of 50 ms became 781 letters
// (50 * 366 / 781 = 23 ms); for the 31 spoken profile lines, 553 characters of 45 ms became
// 1232 letters (45 * 553 / 1232 = 20 ms).
constexpr uint32_t kEnglishEndingLetterMs = 23;
constexpr uint32_t kEnglishProfileLetterMs = 20;

// The loop both chapter writers share; with a face box it animates the mouth and nods.
int ChapterWriter(platform::Canvas& canvas, int penX, int penY, const std::string& text, bool face) {
  canvas.font.color = platform::kWhite;
  canvas.font.size = 14;
  canvas.font.bold = false;
  const bool english = EnglishGame();
  const int mouthPeriod = english ? kEnglishMouthLetters : 2;
  uint32_t delay = 100;
  int mouthCounter = 100, mouthColumn = 0;
  auto showFace = [&](int sx, int sy) {
    canvas.copyMode = platform::CopyMode::Copy;
    canvas.CopyRect({8, 264, 136, 392}, FacePicture, {sx, sy, sx + 128, sy + 128});
  };
  for (size_t i = 0; i < text.size();) {
    const uint32_t start = TickCount();
    const StoryToken t = NextStoryToken(text, i, english);
    if (t.code == 'H') {
      delay = 0;
    } else if (t.code == 'S') {
      delay = 100;
    } else if (t.code == ' ') {
      penX += 16;
    } else if (t.code == '$') {
      if (WaitSince(start, delay) < 0) return -1;
    } else if (t.code == '#' && face) {
      // The token after the nod code is not typed: in Japanese whatever byte it is, in
      // English only a code (a letter is never dropped).
      if (!english) {
        ++i;
      } else if (i < text.size()) {
        size_t next = i;
        if (NextStoryToken(text, next, true).code) i = next;
      }
      const int other = 128 - mouthColumn;
      const int frames[4][2] = {{other, 128}, {mouthColumn, 128}, {other, 128}, {mouthColumn, 0}};
      for (const auto& f : frames) {
        showFace(f[0], f[1]);
        if (WaitSince(TickCount(), 100) < 0) return -1;
      }
    } else if (!english || !t.code) {
      if (face && ++mouthCounter >= mouthPeriod) {
        showFace(mouthColumn, 0);
        mouthColumn = 128 - mouthColumn;
        mouthCounter = 0;
      }
      int width = 0;
      PrintAt(canvas, penX, penY, t.text, width);
      penX += width;
      if (WaitSince(start, english && delay ? kEnglishLetterMs : delay) < 0) return -1;
    }
    // An English code this writer does not know ({R}, {C}, {!}) types nothing.
  }
  return 0;
}

// State of the one running ending line.
struct EndingLine {
  EndingWriterScene* scene = nullptr;
  std::string text;
  size_t position = 0;
  int x = 72, y = 312;
} ending;

// Thick outlined text: black at x + 3 and x, white at x + 2 and x + 1.
void PrintOutlined(platform::Canvas& canvas, int x, int y, const std::string& utf8) {
  const platform::Brush savedBrush = canvas.brush;
  canvas.brush.style = platform::BrushStyle::Clear;
  canvas.brush.pattern = nullptr;
  const int dx[4] = {3, 0, 2, 1};
  for (int k = 0; k < 4; ++k) {
    canvas.font.color = k < 2 ? platform::kBlack : platform::kWhite;
    canvas.TextOut(x + dx[k], y, utf8);
  }
  canvas.brush = savedBrush;
}

}  // namespace

int TalkingFaceWriter(platform::Canvas& canvas, int line, const std::string& text) {
  return ChapterWriter(canvas, 144, 266 + 18 * line, text, true);
}

int CutSceneLineWriter(platform::Canvas& canvas, int line, const std::string& text) {
  return ChapterWriter(canvas, 48, 266 + 18 * line, text, false);
}

void EndingLineWriter(EndingWriterScene* scene, int line, const std::string& text) {
  ending = EndingLine{scene, text, 0, 72, 312 + 18 * line};
  platform::SetTimerInterval(100);
  SetSceneStep(EndingLineWriterStep);
}

void StopEndingLineWriter() {
  if (SceneStep == EndingLineWriterStep) SetSceneStep(nullptr);
  ending = EndingLine{};
}

int EndingLineWriterStep() {
  EndingWriterScene* scene = ending.scene;
  if (!scene) {
    SetSceneStep(nullptr);
    return 0;
  }
  if (CancelPressed()) {
    StopEndingLineWriter();
    scene->CancelEnding();
    return 0;
  }
  KeepMusicLooping();
  if (ending.position >= ending.text.size()) {
    const SceneStepFn next = scene->ScriptStep();
    ending = EndingLine{};
    SetSceneStep(next);
    return 0;
  }
  platform::Canvas& canvas = scene->WriterCanvas();
  const bool english = EnglishGame();
  const StoryToken t = NextStoryToken(ending.text, ending.position, english);
  uint32_t next = 50;
  switch (t.code) {
    case 'H': break;
    case 'S': next = 10; break;
    case '$': next = 70; break;
    case '!': next = 60; break;
    case 'R':
      ending.x = 72;
      ending.y += 18;
      break;
    case 'C':
      canvas.brush = platform::Brush{platform::kBlack, platform::BrushStyle::Solid, nullptr};
      canvas.FillRect({0, 400, 650, 500});
      scene->RedrawMessagePage();
      ending.x = 72;
      ending.y = 312;
      break;
    default: {
      if (english && t.code) break;  // a code the ending does not know types nothing
      PrintOutlined(canvas, ending.x, ending.y, t.text);
      ending.x += canvas.TextWidth(t.text) + 2;
      if (english) next = kEnglishEndingLetterMs;
      break;
    }
  }
  platform::SetTimerInterval(next);
  return 0;
}

void ProfileLineWriter(platform::Canvas& canvas, int x, int y, const std::string& text) {
  canvas.font.size = 18;
  canvas.font.color = platform::kWhite;
  const bool english = EnglishGame();
  const uint32_t pace = english ? kEnglishProfileLetterMs : 45;
  for (size_t i = 0; i < text.size();) {
    const std::string ch = NextStoryToken(text, i, english).text;  // the lines have no codes
    int width = 0;
    PrintAt(canvas, x, y, ch, width);
    x += width;
    PumpMessages();
    const uint32_t start = TickCount();
    while (!AnyInput() && !QuitRequested) {
      const uint32_t elapsed = TickCount() - start;
      if (elapsed >= pace) break;
      platform::SpinTurn(pace - elapsed);
    }
    if (SoundFinished()) PlaySound("talk");
  }
}

std::string StoryLine(const char* japanese) {
  return EnglishGame() ? std::string(Tr(japanese)) : platform::Utf8ToSjis(japanese);
}
