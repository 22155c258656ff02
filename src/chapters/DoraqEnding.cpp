// chapters: the DoraQ chapter's ending. The island is at peace, until a switch in DoraQ's
// castle wakes the next monster from its coffin; then the staff roll and "おしまい". Any
// pause can be cut short; cancel skips to the map.
#include <vector>

#include "chapters/DoraqCutScene.h"
#include "chapters/Doraqstage.h"
#include "field/Fieldmap.h"
#include "platform/Pictures.h"
#include "platform/Translate.h"
#include "shell/Bramkoworld.h"
#include "shell/Game.h"
#include "shell/GameMedia.h"

namespace {

constexpr const char* kCaptainThanks[3] = {
    N_("H警備隊長S「よくぞドラＱを倒してくれた、小僧！"),
    N_("H　　　　　Sこれで島にもようやく平和がもどる。"),
    N_("H　　　　　S島の者にかわって礼を言うぞ！」"),
};
constexpr const char* kCaptainWonders = N_("H警備隊長S「ん？」");
constexpr const char* kCaptainSilent = N_("H警備隊長S「……………」");
constexpr const char* kHeroSilent = N_("HブラムコーS「……………」");
constexpr const char* kMonsterRises = N_("HフランＱS「ふっかーつ！！」");
constexpr const char* kMonsterLeaps = N_("HフランＱS「とう！！」");
constexpr const char* kSubordinateReports[3] = {
    N_("$「た、隊長ーっ！　ドラＱの棺おけから出てきた怪物が"),
    N_("$　となり町で大暴れしていますーっ！"),
    N_("$　町の人たちがにげまどっていますーっ！」"),
};
constexpr const char* kCaptainOrders = N_("H警備隊長S「小僧！　その怪物もやっつけてこーい！！」");
constexpr const char* kClosingLine = N_("あそんでくれて、ほんとうにありがとう！");

// The staff roll: each group on its own page, headings at x 200, each name followed by a
// beat. The names are the team's pen names.
struct RollLine {
  int x, y;
  const char* text;
  bool isName;  // a name is followed by a beat; a heading comes with the name after it
};
constexpr int kH = 200;
const std::vector<RollLine> kStaff[4] = {
    {{kH, 314, N_("プログラム"), false},
     {312, 314, N_("森部　流"), true},
     {312, 339, N_("黒川　はやと"), true},
     {312, 364, N_("三木　ゆうすけ"), true},
     {312, 389, N_("ぴよ丸"), true}},
    {{kH, 314, N_("グラフィック"), false}, {328, 314, N_("夏野　みかん"), true}, {328, 349, N_("ＴＡＫＯ"), true}},
    {{kH, 314, N_("作曲"), false},
     {312, 314, N_("鈴音　ひびき"), true},
     {kH, 349, N_("編曲"), false},
     {312, 349, N_("ＭＩＤＩ屋　五郎"), true}},
    {{kH, 314, N_("ゲームデザイン"), false},
     {360, 314, N_("森部　流"), true},
     {360, 339, N_("夏野　みかん"), true},
     {360, 364, N_("ブラムコー制作委員会"), true}},
};

void ClearRollArea(DoraQCutScene& s) {
  s.Screen().brush = platform::Brush{platform::kBlack};
  s.Screen().FillRect({200, 314, 640, 480});
}

bool StaffRoll(DoraQCutScene& s) {
  s.Text(224, 314, N_("－ＳＴＡＦＦ－"));
  if (!s.Pause(3000)) return false;
  for (int g = 0; g < 4; ++g) {
    ClearRollArea(s);
    for (const RollLine& line : kStaff[g]) {
      s.Text(line.x, line.y, line.text);
      if (line.isName && !s.Pause(1000)) return false;
    }
    if (!s.Pause(g == 3 ? 5000 : 3000)) return false;
  }
  return true;
}

// "おしまい" put over the sunset sky and dissolved in.
void TheEnd(DoraQCutScene& s) {
  constexpr platform::Rect area{45, 90, 600, 234};
  platform::Bitmap composed(area.Width(), area.Height()), words;
  composed.GetCanvas().CopyRect({0, 0, area.Width(), area.Height()}, s.Screen().Target(), area);
  platform::LoadPicture("OSHIMAI", words);
  composed.GetCanvas().DrawTransparent(0, 0, words, words.Pixel(0, words.Height() - 1));
  BlockDissolveCopy(composed.GetCanvas(), 0, 0, s.Screen(), area.left, area.top, area.Width(), area.Height(), true);
}

bool PlaySteps(DoraQCutScene& s) {
  FieldMap& map = s.Map();

  SetSceneStep(nullptr);  // 1
  s.Blackout();
  if (!s.Pause(1000)) return false;

  PlayMusic("bramko");  // 2
  WaitMusicStarted();

  s.MaskedMap();  // 3

  s.Show("AOP4");  // 4
  if (!s.Pause(500)) return false;

  s.FrameLines();  // 5
  s.ClearBox();
  for (int k = 0; k < 3; ++k)
    if (!s.Line(k, kCaptainThanks[k])) return false;

  PlaySound("fall");  // 6
  if (!s.Pause(500)) return false;

  if (!s.Line(4, kCaptainWonders)) return false;  // 7
  if (!s.Pause(1000)) return false;

  s.ClearBox();  // 8
  s.Show("AEND1");
  PlaySound("crush");
  if (!s.Pause(1000)) return false;

  s.Show("AEND2a");  // 9
  s.Text(168, 280, N_("カシャッ"), 64);
  if (!s.Pause(1000)) return false;

  s.ClearBox();  // 10
  s.Text(168, 280, N_("ピッ"), 64);
  s.Show("AEND3");
  if (!s.Pause(1000)) return false;

  s.ClearBox();  // 11
  s.Show("AEND2");
  if (!s.Pause(1000)) return false;

  s.ClearBox();  // 12: the coffin stirs
  constexpr int stir[3][2] = {{72, 272}, {200, 296}, {328, 320}};
  for (const auto& at : stir) {
    s.Text(at[0], at[1], N_("もこもこ"));
    s.Show("AEND2");
    if (!s.StrictPause(350)) return false;
    s.Show("AEND4");
    if (!s.StrictPause(350)) return false;
  }
  BusyWait(1500);

  s.Show("AOP6");  // 13
  s.ClearBox();
  if (!s.Line(0, kCaptainSilent)) return false;
  if (!s.Pause(1050)) return false;

  s.Show("AOP7");  // 14
  s.ClearBox();
  if (!s.Line(0, kHeroSilent)) return false;
  if (!s.Pause(1050)) return false;

  s.Show("AEND5");  // 15
  s.ClearBox();
  if (!s.Line(0, kMonsterRises)) return false;
  if (!s.Pause(1000)) return false;

  s.ClearBox();  // 16
  s.Show("AEND6");
  if (!s.Line(0, kMonsterLeaps)) return false;
  if (!s.Pause(1000)) return false;

  s.Show("AOP6");  // 17
  s.ClearBox();
  if (!s.Line(0, kCaptainSilent)) return false;
  if (!s.Pause(1000)) return false;

  s.Show("AOP7");  // 18
  s.ClearBox();
  if (!s.Line(0, kHeroSilent)) return false;
  if (!s.Pause(1000)) return false;

  s.Show("AOP8");  // 19
  s.ClearBox();
  for (int k = 0; k < 3; ++k)
    if (!s.Line(k, kSubordinateReports[k])) return false;
  if (!s.Pause(1000)) return false;

  s.ClearBox();  // 20
  s.Show("AOP6");
  if (!s.Marks()) return false;
  if (!s.Pause(1000)) return false;

  s.Show("AOP9");  // 21
  s.Anger();
  if (!s.Pause(1000)) return false;

  s.Show("AOP12");  // 22
  s.ClearBox();
  if (!s.Line(0, kCaptainOrders)) return false;
  if (!s.Pause(2000)) return false;

  map.DissolveOut();  // 23: the sunset
  map.LoadPicture("AENDING");
  PlayMusic("DQend");
  WaitMusicStarted();
  if (!s.Pause(3500)) return false;
  map.DissolveIn();

  if (!StaffRoll(s)) return false;  // 24

  ClearRollArea(s);  // 25
  TheEnd(s);
  if (!s.Pause(2000)) return false;

  s.Text(144, 362, kClosingLine);  // 26
  WaitReleaseThenPress();
  map.DissolveOut();
  return true;
}

}  // namespace

void DoraQEnding(FieldMap* map) {
  if (!map) return;
  {
    DoraQCutScene scene(*map);
    PlaySteps(scene);
    PlayMusic("field");
    map->LoadPicture("DoraQSTAGE");
    scene.FreePictures();
  }
  map->MoveCursorTo(DoraQLastWaypoint);
  map->DrawMarkers();
  map->DissolveIn();
  WaitRelease();
  SceneName = "DoraQStage";
  SetSceneStep(FieldMapStep);
}
