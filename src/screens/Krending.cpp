// screens: the tournament ending: its script of numbered steps, the choice and the
// closing sequence with the staff roll.
#include "screens/Krending.h"

#include "field/Bramkochar.h"
#include "field/Fieldmap.h"
#include "platform/Pictures.h"
#include "platform/Platform.h"
#include "platform/Text.h"
#include "platform/Window.h"
#include "shell/Bramkoworld.h"
#include "shell/Game.h"
#include "shell/GameMedia.h"

KREnding* CurrentEnding = nullptr;
int KREndingStepNumber = -1;

namespace {

// The dialogue. "H" starts a speaker (named up to "：", then "R"), "R" is a new line, "C"
// a new page, "$" and "!" pauses; the exclamation marks that show are full-width.
const char* const kInterview =
    "Hリポーター：R　優勝おめでとうございます！！$$R　あのユイ選手を破っての、$みごとな初優勝！$$"
    "R　いまのお気持ちを、$ひとことどうぞ！$$$$"
    "CHブラムコー：R　え、$えーと……$$$R　関所からずっと、$必死でしたけど……$$R　とにかく、$うれしいです！$$$$";
const char* const kChallenge = "H!!!ユイ：R　まちなっ！$$$!!";
const char* const kBrawl =
    "Hリポーター：R　こ、$これは……$$$R　前回の覇者と新チャンピオンが、$にらみ合って$R　います！$$"
    "乱闘になってしまうのかーっ！？$$$$";
const char* const kAWord =
    "Hユイ：R　……ねえ、$あんた。$$R　ちょっと話があるの。$$R　少しだけ、$つきあってくれない？$$$$"
    "CHブラムコー：R　え？$$$R　う、$うん。$いいけど……$$$$";
const char* const kHesitation = "　わたし、$ずっと思ってたんだけど……$$$$";
const char* const kConfession =
    "Hユイ：R　わたしに勝ったのって、$あんたが初めてなの。$$R　だから……$$$R　わたしと、$つきあって！$$$$";
const char* const kHeartbreak =
    "Hユイ：R　……そう。$$$そうなんだ。$$R　だったら……$$$R　力ずくでも、$うんと言わせてやるっ！！$$$$";
const char* const kDismay = "　な、$なんでこうなるんだーっ！？$$$$";
const char* const kFlight = "　だ、$だれか、$たすけてくれーっ！！$$$$";

const char* const kYui = "ユイ：";
const char* const kHero = "ブラムコー：";
const char* const kAnswer = "いいえ";

// The staff roll: per page its picture and its groups, each a heading and its names.
struct StaffGroup {
  const char* heading;
  int headingX, headingY;
  int namesY;
  int count;
  const char* const* names;
  int gapAfter;  // the hold before the next group's heading
};
struct StaffPage {
  const char* picture;
  int groups;
  StaffGroup group[2];
};

const char* const kProgram[4] = {"ループ　まわる", "ポインタ　さす", "バグ　なおすけ", "ビット　たてる"};
const char* const kMusic[5] = {"ドレミ　ふぁそ", "ベース　ひく男", "タイコ　たたく", "ピコ　ピコリン",
                               "しらべ　かなで"};
const char* const kGraphic[6] = {"ドット　うつ子", "いろ　ぬりお", "ふで　はしる",
                                 "パレット　あや", "かげ　つける", "ひかり　さす"};
const char* const kDesign[4] = {"ルール　きめる", "バランス　とる", "アイデア　わく", "ためし　あそぶ"};
const char* const kThanks[13] = {
    "関所の番人さん",   "ＫＲ大会実行委員会", "リポーターさん", "ドラＱ一家", "会場の観客席",
    "売店のおばちゃん", "テストプレイヤー",   "早起きの鳥たち", "池のカエル", "岬の灯台守",
    "ふりかえりの会",   "おやつ係",           "そして　あなた",
};

const StaffPage kStaff[3] = {
    {"BED256_1", 2, {{"ＰＲＯＧＲＡＭ", 416, 36, 66, 4, kProgram, 3000}, {"ＭＵＳＩＣ", 416, 186, 216, 5, kMusic, 0}}},
    {"BED256_2",
     2,
     {{"ＧＲＡＰＨＩＣ", 416, 36, 66, 6, kGraphic, 4000}, {"ＧＡＭＥ　ＤＥＳＩＧＮ", 416, 238, 268, 4, kDesign, 0}}},
    {"BED256_3", 1, {{"ＳＰＥＣＩＡＬ　ＴＨＡＮＫＳ　ＴＯ", 336, 36, 66, 13, kThanks, 0}, {}}},
};
constexpr int kNameX = 432, kNameSpacing = 26;

void Fill(platform::Canvas& canvas, const platform::Rect& r, platform::Color color) {
  canvas.brush = platform::Brush{color, platform::BrushStyle::Solid, nullptr};
  canvas.FillRect(r);
}

// The writer's thick look for a whole label: black at x + 3 and x, white at x + 2 and x + 1.
void OutlinedLabel(platform::Canvas& canvas, int x, int y, const char* utf8) {
  canvas.brush.style = platform::BrushStyle::Clear;
  const int dx[4] = {3, 0, 2, 1};
  for (int k = 0; k < 4; ++k) {
    canvas.font.color = k < 2 ? platform::kBlack : platform::kWhite;
    canvas.TextOut(x + dx[k], y, utf8);
  }
}

// The staff roll's lettering: white, doubled one pixel to the right.
void WhiteLabel(platform::Canvas& canvas, int x, int y, const char* utf8) {
  canvas.brush.style = platform::BrushStyle::Clear;
  canvas.font.color = platform::kWhite;
  canvas.TextOut(x, y, utf8);
  canvas.TextOut(x + 1, y, utf8);
}

uint32_t g_lastCursorMove = 0;  // the choice reads the keys at most every 100 ms

}  // namespace

KREnding::KREnding(platform::Canvas& canvas) : LFieldBMP(canvas, "BENDING1") {
  platform::LoadPicture("MessageMask", messageTile);
  canvas.font.size = 14;
  canvas.font.bold = false;
  KREndingStepNumber = -1;
  CurrentEnding = this;
  SceneName = "KREnding";
}

KREnding::~KREnding() {
  SetSceneStep(nullptr);
  StopEndingLineWriter();
  messageTile.SetSize(0, 0);
  Fill(GetTargetCanvas(), {0, 0, 650, 500}, platform::kBlack);
  platform::SetTimerInterval(25);
  if (CurrentMapScene) CurrentMapScene->RedrawAll();
  WaitRelease();
  ReleaseSprite(cursor);
  if (CurrentEnding == this) CurrentEnding = nullptr;
  // The tournament map waited behind the profile screen; the way on is the main menu.
  delete CurrentMapScene;
  StartMainMenu();
}

void KREnding::RedrawAll() {
  LFieldBMP::RedrawAll();
  Fill(GetTargetCanvas(), {0, 400, 650, 500}, platform::kBlack);
}

void KREnding::RedrawMessagePage() {
  RedrawAll();
  DrawMessageWindow(GetTargetCanvas());
}

void KREnding::CancelEnding() { delete this; }

SceneStepFn KREnding::ScriptStep() { return KREndingStep; }

void KREnding::DrawMessageWindow(platform::Canvas& canvas) {
  // The tile's bottom-left pixel is its see-through colour.
  const platform::Color key = messageTile.Pixel(0, messageTile.Height() - 1);
  for (int y = 296; y < 392; y += 8)
    for (int x = 56; x < 616; x += 8) canvas.DrawTransparent(x, y, messageTile, key);
  Invalidate(56, 296, 616, 392);
  canvas.brush = platform::Brush{platform::kWhite, platform::BrushStyle::Solid, nullptr};
  canvas.FrameRect({55, 295, 617, 393});
  canvas.brush.color = platform::kBlack;
  canvas.FrameRect({54, 294, 618, 394});
}

void KREnding::Say(int line, const char* utf8) { EndingLineWriter(this, line, platform::Utf8ToSjis(utf8)); }

bool KREnding::Wait(uint32_t ms) {
  const TWaitResult r = WaitOrKey(ms);
  if (r == wrCancel || r == wrQuit) {
    delete this;
    return false;
  }
  return true;
}

bool KREnding::Hold(uint32_t ms) {
  const uint32_t start = TickCount();
  for (uint32_t elapsed; (elapsed = TickCount() - start) < ms;) {
    if (CancelPressed()) {
      delete this;
      return false;
    }
    PumpMessages();
    KeepMusicLooping();
    platform::SpinTurn(ms - elapsed);
  }
  return true;
}

int KREndingStep() {
  SetSceneStep(nullptr);
  KREnding* ending = CurrentEnding;
  if (!ending) return 0;
  if (CancelPressed()) {
    delete ending;
    return 0;
  }
  KeepMusicLooping();
  ending->RunStep();
  return 0;
}

void StartKREnding() {
  new KREnding(*ScreenCanvas);
  KREndingStep();
}

void KREnding::RunStep() {
  platform::Canvas& screen = GetTargetCanvas();
  const int step = KREndingStepNumber;
  // Every step but the choice moves the number on as it starts.
  if (step != 8) ++KREndingStepNumber;
  switch (step) {
    case -1:
      StopMusic();
      if (!Wait(1750)) return;
      Fill(screen, {0, 0, 650, 500}, platform::kBlack);
      if (!Wait(1050)) return;
      PlayMusic("bramko");
      WaitMusicStarted();
      if (!Wait(1400)) return;
      RedrawAll();
      if (!Wait(3150)) return;
      DissolveIn();
      DrawMessageWindow(screen);
      Say(0, kInterview);
      return;
    case 0:
      StopMusic();
      PlayMusic("yui");
      if (!Wait(525)) return;
      WaitMusicStarted();
      Fill(screen, {0, 400, 650, 500}, platform::kBlack);
      RedrawAll();
      DrawMessageWindow(screen);
      Say(0, kChallenge);
      return;
    case 1:
      SetSceneStep(nullptr);
      LoadPicture("BENDING2");
      RedrawAll();
      if (!Wait(700)) return;
      DrawMessageWindow(screen);
      screen.font.size = 36;
      OutlinedLabel(screen, 192, 321, "ジャーン！！");
      screen.font.size = 14;
      SetSceneStep(KREndingStep);
      return;
    case 2: {
      if (!Wait(2100)) return;
      DissolveOut();
      if (!Wait(1400)) return;
      LoadPicture("BENDING3");
      // Dissolved in on the window's own canvas, so the picture control does not show the
      // half-drawn picture; then the control takes over again with the whole of it.
      platform::Bitmap rendering(width, height);
      const int ox = originX, oy = originY;
      SetOrigin(0, 0);
      RedrawAllTo(rendering.GetCanvas());
      SetOrigin(ox, oy);
      platform::SetImageVisible(false);
      BlockDissolveCopy(rendering.GetCanvas(), 0, 0, *BattleCanvas, originX, originY, width, height, true);
      RedrawAll();
      platform::SetImageVisible(true);
      if (!Wait(2100)) return;
      SetSceneStep(KREndingStep);
      return;
    }
    case 3:
      DissolveOut();
      if (!Wait(700)) return;
      Fill(screen, {0, 0, 650, 500}, platform::kBlack);
      DrawMessageWindow(screen);
      Say(0, kBrawl);
      return;
    case 4:
      PlayMusic("bramko");
      LoadPicture("BENDING4");
      RedrawAll();
      if (!Wait(1400)) return;
      DrawMessageWindow(screen);
      Say(0, kAWord);
      return;
    case 5:
      Fill(screen, {0, 400, 650, 500}, platform::kBlack);
      RedrawAll();
      DrawMessageWindow(screen);
      OutlinedLabel(screen, 72, 312, kYui);
      Say(1, kHesitation);
      return;
    case 6:
      if (!Wait(3465)) return;
      StopMusic();
      Fill(screen, {0, 0, 650, 500}, platform::kBlack);
      LoadPicture("BENDING5");
      PlayMusic("kokuhaku");
      WaitMusicStarted();
      RedrawAll();
      if (!Wait(1050)) return;
      DrawMessageWindow(screen);
      Say(0, kConfession);
      return;
    case 7: {
      // Onto the picture itself, so that every redraw under the cursor keeps the answers.
      platform::Canvas& page = PictureCanvas();
      page.font = screen.font;
      DrawMessageWindow(page);
      for (int row : {320, 356})
        for (int i = 0; i < 4; ++i) OutlinedLabel(page, 108 + 96 * i, row, kAnswer);
      RedrawAll();
      cursor = new BramkoChar(this, &SmallSheet, &SmallMask, {0, 0, 32, 32});
      cursor->MoveTo(72, 312);
      platform::SetTimerInterval(50);
      SetSceneStep(KREndingStep);
      return;
    }
    case 8: Choose(); return;
    case 10:
      if (!Wait(1050)) return;
      Fill(screen, {0, 0, 650, 500}, platform::kBlack);
      DrawMessageWindow(screen);
      OutlinedLabel(screen, 72, 312, kHero);
      Say(1, kDismay);
      return;
    case 11:
      LoadPicture("BENDING7");
      RedrawAll();
      DrawMessageWindow(screen);
      OutlinedLabel(screen, 72, 312, kHero);
      Say(1, kFlight);
      return;
    case 12: Closing(); return;
    default: return;
  }
}

void KREnding::Choose() {
  const uint32_t now = TickCount();
  if (now - g_lastCursorMove > 100) {
    g_lastCursorMove = now;
    const TInputBits b = ReadPlayerInput(piBoth);
    const LPoint p = cursor->GetPosition();
    bool moved = true;
    if ((b & ibDown) && p.y == 312) {
      cursor->MoveTo(p.x, 348);
    } else if ((b & ibUp) && p.y == 348) {
      cursor->MoveTo(p.x, 312);
    } else if ((b & ibRight) && p.x < 360) {
      cursor->MoveTo(p.x + 96, p.y);
    } else if ((b & ibLeft) && p.x > 72) {
      cursor->MoveTo(p.x - 96, p.y);
    } else if (b & ibDecide) {
      // Whichever answer it was, it was "no".
      ReleaseSprite(cursor);
      KREndingStepNumber = 10;
      LoadPicture("BENDING6");
      RedrawAll();
      if (!Wait(1050)) return;
      Say(0, kHeartbreak);
      return;
    } else {
      moved = false;
    }
    if (moved) {
      SetSceneStep(KREndingStep);
      return;
    }
  }
  StepAll();
  SetSceneStep(KREndingStep);
}

bool KREnding::StaffRoll() {
  platform::Canvas& screen = GetTargetCanvas();
  SetOrigin(12, 12);
  for (int pg = 0; pg < 3; ++pg) {
    const StaffPage& page = kStaff[pg];
    LoadPicture(page.picture);
    DissolveIn();
    if (!Hold(2500)) return false;
    for (int g = 0; g < page.groups; ++g) {
      const StaffGroup& group = page.group[g];
      if (g > 0 && !Hold(page.group[g - 1].gapAfter)) return false;
      WhiteLabel(screen, group.headingX, group.headingY, group.heading);
      for (int n = 0; n < group.count; ++n) {
        if (!Hold(1500)) return false;
        WhiteLabel(screen, kNameX, group.namesY + kNameSpacing * n, group.names[n]);
      }
    }
    if (!Hold(4000)) return false;
    Fill(screen, {320, 0, 650, 500}, platform::kBlack);
    if (pg < 2) {
      if (!Hold(2500)) return false;
    } else {
      DissolveOut();
      if (!Hold(4000)) return false;
    }
  }
  return true;
}

void KREnding::Closing() {
  platform::Canvas& screen = GetTargetCanvas();
  if (!Wait(5250)) return;
  DissolveOut();
  PumpMessages();
  if (!Wait(1750)) return;
  PlayMusic("KRend");
  WaitMusicStarted();
  if (!Hold(6000)) return;

  LoadPicture("BENDING8");
  DissolveIn();
  if (!Hold(3750)) return;
  DissolveOut();
  Fill(screen, {0, 0, 650, 500}, platform::kBlack);
  if (!Hold(2500)) return;

  if (!StaffRoll()) return;

  SetOrigin(0, 0);
  LoadPicture("BENDING9");
  DissolveIn();
  if (!Hold(1500)) return;

  // "おしまい" laid over what the screen shows there, then dissolved in as one picture.
  platform::Bitmap overlay(555, 144);
  overlay.GetCanvas().CopyRect({0, 0, 555, 144}, screen.Target(), {32, 120, 587, 264});
  platform::Bitmap oshimai;
  platform::LoadPicture("OSHIMAI", oshimai);
  overlay.GetCanvas().DrawTransparent(0, 0, oshimai, oshimai.Pixel(0, oshimai.Height() - 1));
  BlockDissolveCopy(overlay.GetCanvas(), 0, 0, screen, 32, 120, 555, 144, true);

  WaitRelease();
  WaitPress();
  delete this;
}
