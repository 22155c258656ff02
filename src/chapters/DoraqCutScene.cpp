// chapters: the common steps of the DoraQ cut-scenes.
#include "chapters/DoraqCutScene.h"

#include <memory>

#include "field/Bramkochar.h"
#include "field/Fieldmap.h"
#include "platform/Pictures.h"
#include "platform/Platform.h"
#include "platform/Text.h"
#include "shell/Game.h"
#include "shell/Typewriters.h"

namespace {

constexpr int kMarkX = 112, kMarkY = 296;
constexpr const char* kMark = "…";

}  // namespace

DoraQCutScene::DoraQCutScene(FieldMap& map) : map_(map), screen_(map.GetTargetCanvas()) {}

bool DoraQCutScene::Pause(uint32_t ms) { return WaitOrKey(ms) != wrCancel; }

bool DoraQCutScene::StrictPause(uint32_t ms) { return (WaitOrKey(ms) & wrCancel) == 0; }

bool DoraQCutScene::Line(int line, const char* text) {
  return CutSceneLineWriter(screen_, line, platform::Utf8ToSjis(text)) == 0;
}

void DoraQCutScene::Blackout() {
  // The hero leaves first, so no later repaint brings a piece of the map back.
  MapCursor->MoveTo(-64, -64);
  map_.Flush();
  screen_.brush = platform::Brush{platform::kBlack};
  screen_.FillRect({0, 0, 700, 500});
}

void DoraQCutScene::MaskedMap() {
  platform::LoadPicture("MessageMask", pattern_);
  const platform::Color key = pattern_.Pixel(0, pattern_.Height() - 1);
  platform::Canvas& picture = map_.PictureCanvas();
  const int w = map_.GetPicture().Width(), h = map_.GetPicture().Height();
  const int step = pattern_.Width() > 0 ? pattern_.Width() : 8;
  for (int y = 0; y < h; y += step)
    for (int x = 0; x < w; x += step) picture.DrawTransparent(x, y, pattern_, key);
  map_.DissolveIn();
}

void DoraQCutScene::Show(const char* picture) {
  platform::LoadPicture(picture, picture_);
  screen_.copyMode = platform::CopyMode::Copy;
  screen_.CopyRect(kPictureFrame, picture_, {0, 0, kPictureFrame.Width(), kPictureFrame.Height()});
}

void DoraQCutScene::Dissolve(const char* picture) {
  platform::LoadPicture(picture, picture_);
  BlockDissolveCopy(picture_.GetCanvas(), 0, 0, screen_, kPictureFrame.left, kPictureFrame.top, kPictureFrame.Width(),
                    kPictureFrame.Height(), true);
}

void DoraQCutScene::BackToMap() { BlockDissolveCopy(map_.PictureCanvas(), 120, 0, screen_, 120, 0, 400, 264, true); }

void DoraQCutScene::FrameLines() {
  screen_.brush = platform::Brush{platform::kWhite};
  screen_.FrameRect(kPictureFrameLine);
  screen_.FrameRect(kTextBoxLine);
  screen_.brush = platform::Brush{platform::kBlack};
}

void DoraQCutScene::ClearBox() {
  screen_.brush = platform::Brush{platform::kBlack};
  screen_.FillRect(kTextBox);
}

bool DoraQCutScene::Fall() {
  platform::Bitmap image, mask;
  platform::LoadPicture("AOPC", image);
  platform::LoadPicture("AOPM", mask);
  auto field = std::make_unique<LFieldBMP>(screen_, "AOPB");
  field->SetOrigin(kPictureFrame.left, kPictureFrame.top);
  LCharcter* hero = new LCharcter(field.get(), &image, &mask, {0, 0, 384, 256});
  bool going = true;
  // Seventeen places from wholly above the frame to wholly below it, 10 ms apart.
  for (int y = -256; y <= 256 && going; y += 32) {
    const uint32_t start = TickCount();
    hero->MoveTo(0, y);
    field->Flush();
    uint32_t elapsed;
    while ((elapsed = TickCount() - start) < 10) {
      if (CancelPressed()) {
        going = false;
        break;
      }
      platform::SpinTurn(10 - elapsed);
    }
  }
  ReleaseSprite(hero);
  return going;
}

bool DoraQCutScene::Marks() {
  const int w = TextWidth(kMark);
  for (int k = 0; k < 6; ++k) {
    Text(kMarkX + k * w, kMarkY, kMark);
    if (!Pause(100)) return false;
  }
  return true;
}

void DoraQCutScene::Anger() { Text(kMarkX + 6 * TextWidth(kMark), kMarkY, "ピキッ（怒）"); }

void DoraQCutScene::Text(int x, int y, const char* text, int size) {
  screen_.font.color = platform::kWhite;
  screen_.font.size = size;
  screen_.font.bold = false;
  screen_.brush = platform::Brush{platform::kBlack};
  screen_.TextOut(x, y, text);
}

int DoraQCutScene::TextWidth(const char* text) {
  screen_.font.size = 14;
  screen_.font.bold = false;
  return screen_.TextWidth(text);
}

void DoraQCutScene::FreePictures() {
  picture_.SetSize(0, 0);
  pattern_.SetSize(0, 0);
}
