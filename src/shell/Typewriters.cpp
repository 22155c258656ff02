// shell: the typewriters of the story texts.
#include "shell/Typewriters.h"

#include "platform/Platform.h"
#include "platform/Text.h"
#include "platform/Translate.h"
#include "platform/Window.h"
#include "platform/Language.h"
#include "shell/Game.h"
#include "shell/GameMedia.h"

platform::Bitmap FacePicture;

namespace {

// The character starting at text[i]: two bytes after a Shift-JIS lead byte (one if the text
// ends there), else one byte. The story texts hold only two-byte characters and codes; a
// stray one-byte character must not swallow the code after it.
std::string CharacterAt(const std::string& text, size_t i) {
  const unsigned char c = static_cast<unsigned char>(text[i]);
  const size_t n = platform::IsSjisLeadByte(c) && i + 1 < text.size() ? 2 : 1;
  return text.substr(i, n);
}

// One step of a story line: a pacing code (its one byte), or a character to print, as UTF-8.
struct Step {
  char code = 0;  // 0: a character
  std::string shown;
  size_t size = 0;  // bytes of the line it takes
};

// A Japanese line is Shift-JIS, every one-byte letter a code (one a writer has no use for is
// printed). A line from a catalogue is UTF-8 with each code in braces, "{H}"; everything
// else is printed.
Step ReadStep(const std::string& text, size_t i) {
  if (!EnglishGame()) {
    const std::string ch = CharacterAt(text, i);
    return {ch.size() == 1 ? ch[0] : char{0}, platform::SjisToUtf8(ch), ch.size()};
  }
  if (text[i] == '{' && i + 2 < text.size() && text[i + 2] == '}') return {text[i + 1], "", 3};
  size_t n = 1;
  while (i + n < text.size() && (static_cast<unsigned char>(text[i + n]) & 0xC0) == 0x80) ++n;
  return {0, text.substr(i, n), n};
}

// The nod code takes the byte after it with it (a Japanese line has a "$" there); a line
// from a catalogue writes that step out as a code of its own.
size_t NodSwallows(const std::string& text, size_t next) {
  if (!EnglishGame()) return 1;
  return next < text.size() ? ReadStep(text, next).size : 0;
}

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

// The loop both chapter writers share; with a face box it animates the mouth and nods.
int ChapterWriter(platform::Canvas& canvas, int penX, int penY, const std::string& text, bool face) {
  canvas.font.color = platform::kWhite;
  canvas.font.size = 14;
  canvas.font.bold = false;
  uint32_t delay = 100;
  int mouthCounter = 100, mouthColumn = 0;
  auto showFace = [&](int sx, int sy) {
    canvas.copyMode = platform::CopyMode::Copy;
    canvas.CopyRect({8, 264, 136, 392}, FacePicture, {sx, sy, sx + 128, sy + 128});
  };
  for (size_t i = 0; i < text.size(); ++i) {
    const uint32_t start = TickCount();
    const Step step = ReadStep(text, i);
    const char c = step.code;
    i += step.size - 1;  // the loop moves past the step's last byte
    if (c == 'H') {
      delay = 0;
    } else if (c == 'S') {
      delay = 100;
    } else if (c == ' ') {
      penX += 16;
    } else if (c == '$') {
      if (WaitSince(start, delay) < 0) return -1;
    } else if (c == '#' && face) {
      i += NodSwallows(text, i + 1);  // what follows the nod code is not printed
      const int other = 128 - mouthColumn;
      const int frames[4][2] = {{other, 128}, {mouthColumn, 128}, {other, 128}, {mouthColumn, 0}};
      for (const auto& f : frames) {
        showFace(f[0], f[1]);
        if (WaitSince(TickCount(), 100) < 0) return -1;
      }
    } else {
      if (face && ++mouthCounter >= 2) {
        showFace(mouthColumn, 0);
        mouthColumn = 128 - mouthColumn;
        mouthCounter = 0;
      }
      int width = 0;
      PrintAt(canvas, penX, penY, step.shown, width);
      penX += width;
      if (WaitSince(start, delay) < 0) return -1;
    }
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
  const Step step = ReadStep(ending.text, ending.position);
  const char c = step.code;
  uint32_t next = 50;
  switch (c) {
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
    default:
      PrintOutlined(canvas, ending.x, ending.y, step.shown);
      ending.x += canvas.TextWidth(step.shown) + 2;
      break;
  }
  ending.position += step.size;
  platform::SetTimerInterval(next);
  return 0;
}

void ProfileLineWriter(platform::Canvas& canvas, int x, int y, const std::string& text) {
  canvas.font.size = 18;
  canvas.font.color = platform::kWhite;
  for (size_t i = 0; i < text.size();) {
    const Step step = ReadStep(text, i);
    i += step.size;
    int width = 0;
    PrintAt(canvas, x, y, step.shown, width);
    x += width;
    PumpMessages();
    const uint32_t start = TickCount();
    while (!AnyInput() && !QuitRequested) {
      const uint32_t elapsed = TickCount() - start;
      if (elapsed >= 45) break;
      platform::SpinTurn(45 - elapsed);
    }
    if (SoundFinished()) PlaySound("talk");
  }
}

std::string StoryLine(const char* japanese) {
  return EnglishGame() ? std::string(Tr(japanese)) : platform::Utf8ToSjis(japanese);
}
