// shell: the typewriters of the story texts.
#include "shell/Typewriters.h"

#include "platform/Platform.h"
#include "platform/Text.h"
#include "platform/Window.h"
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

void PrintAt(platform::Canvas& canvas, int x, int y, const std::string& sjis, int& width) {
  const std::string utf8 = platform::SjisToUtf8(sjis);
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
    const unsigned char c = static_cast<unsigned char>(text[i]);
    if (c == 'H') {
      delay = 0;
    } else if (c == 'S') {
      delay = 100;
    } else if (c == ' ') {
      penX += 16;
    } else if (c == '$') {
      if (WaitSince(start, delay) < 0) return -1;
    } else if (c == '#' && face) {
      ++i;  // the byte after the nod code is not printed
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
      const std::string ch = CharacterAt(text, i);
      int width = 0;
      PrintAt(canvas, penX, penY, ch, width);
      penX += width;
      i += ch.size() - 1;
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
  const unsigned char c = static_cast<unsigned char>(ending.text[ending.position]);
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
    default: {
      const std::string ch = CharacterAt(ending.text, ending.position);
      const std::string utf8 = platform::SjisToUtf8(ch);
      PrintOutlined(canvas, ending.x, ending.y, utf8);
      ending.x += canvas.TextWidth(utf8) + 2;
      ending.position += ch.size() - 1;
      break;
    }
  }
  ++ending.position;
  platform::SetTimerInterval(next);
  return 0;
}

void ProfileLineWriter(platform::Canvas& canvas, int x, int y, const std::string& text) {
  canvas.font.size = 18;
  canvas.font.color = platform::kWhite;
  for (size_t i = 0; i < text.size();) {
    const std::string ch = CharacterAt(text, i);
    i += ch.size();
    int width = 0;
    PrintAt(canvas, x, y, ch, width);
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
