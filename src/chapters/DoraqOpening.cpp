// chapters: the DoraQ chapter's opening. The hero falls out of the sky onto the island,
// smashes the stone that kept the vampire DoraQ sealed, and the guard captain sends him to
// put things right. Any pause can be cut short; cancel skips to the map.
#include "chapters/DoraqCutScene.h"
#include "chapters/Doraqstage.h"
#include "field/Fieldmap.h"
#include "platform/Pictures.h"
#include "platform/Translate.h"
#include "shell/Game.h"
#include "shell/GameMedia.h"

namespace {

// The captain's two-line speeches continue under his first words.
constexpr const char* kHeroWakes = N_("HブラムコーS「いてててて……。ここはどこだ？」");
constexpr const char* kCaptainShouts = N_("H警備隊長S「こらーっ！　そこで何をしておる！」");
constexpr const char* kCaptainGasps = N_("$「き、きさま……封印の岩をこわしおったな！？」");
constexpr const char* kHeroAsks = N_("HブラムコーS「え？　この岩のこと？」");
constexpr const char* kCaptainExplains[2] = {
    N_("H警備隊長S「その岩は、吸血鬼ドラＱを百年のあいだ"),
    N_("H　　　　　S封じこめておった封印の岩なのじゃ！」"),
};
constexpr const char* kDoraQRises = N_("HドラＱS「ふっかーつ！！」");
constexpr const char* kDoraQLaughs = N_("HドラＱS「ワハハハ！　島じゅうの血をいただくぞ！」");
constexpr const char* kCaptainSilent = N_("H警備隊長S「……………」");
constexpr const char* kHeroSilent = N_("HブラムコーS「……………」");
constexpr const char* kSubordinateReports[2] = {
    N_("$「た、隊長ーっ！　ドラＱとドラＱにかまれた者たちが"),
    N_("$　島のあちこちで暴れていますーっ！」"),
};
constexpr const char* kCaptainOrders = N_("H警備隊長S「小僧！　責任をとってドラＱを倒してこーい！！」");

// The sequence up to the chapter title; false as soon as the player cancelled.
bool PlaySteps(DoraQCutScene& s) {
  FieldMap& map = s.Map();
  platform::Canvas& screen = s.Screen();

  s.Blackout();  // 1
  WaitRelease();
  if (!s.Pause(1000)) return false;

  PlayMusic("bramko");  // 2
  WaitMusicStarted();

  screen.brush = platform::Brush{platform::kBlack};  // 3
  screen.FillRect({0, 0, 640, 400});
  s.MaskedMap();
  platform::Bitmap island;
  platform::LoadPicture("AOPB", island);
  screen.copyMode = platform::CopyMode::Copy;
  screen.CopyRect({128, 0, 512, 256}, island, {0, 0, 384, 256});
  s.FrameLines();
  WaitRelease();

  PlaySound("fall");  // 4
  if (!s.Fall()) return false;
  if (!s.Pause(500)) return false;
  StopSound("fall");

  s.BackToMap();  // 5
  if (!s.Pause(1500)) return false;

  s.FrameLines();  // 6
  PlaySound("crush");
  s.Dissolve("AOP2");
  if (!s.Pause(1500)) return false;

  s.BackToMap();  // 7
  if (!s.Pause(1500)) return false;

  s.FrameLines();  // 8
  s.Dissolve("AOP3");
  if (!s.Pause(500)) return false;

  s.FrameLines();  // 9
  s.ClearBox();
  if (!s.Line(0, kHeroWakes) || !s.Line(2, kCaptainShouts)) return false;
  if (!s.Pause(1000)) return false;

  s.Dissolve("AOP4");  // 10
  s.ClearBox();
  if (!s.Line(0, kCaptainGasps) || !s.Line(1, kHeroAsks)) return false;
  if (!s.Pause(1000)) return false;

  s.ClearBox();  // 11
  if (!s.Line(0, kCaptainExplains[0]) || !s.Line(1, kCaptainExplains[1])) return false;
  if (!s.Pause(500)) return false;

  if (!s.Line(3, kDoraQRises)) return false;  // 12
  if (!s.Pause(100)) return false;

  s.ClearBox();  // 13
  s.Show("AOP11");
  if (!s.Pause(1000)) return false;

  s.FrameLines();  // 14
  s.ClearBox();
  if (!s.Pause(500)) return false;
  if (!s.Line(0, kDoraQLaughs)) return false;

  s.Show("AOP10");  // 15
  if (!s.Pause(1000)) return false;

  s.Show("AOP6");  // 16
  s.ClearBox();
  if (!s.Line(0, kCaptainSilent)) return false;
  if (!s.Pause(500)) return false;

  s.Show("AOP7");  // 17
  s.ClearBox();
  if (!s.Line(0, kHeroSilent)) return false;
  if (!s.Pause(500)) return false;

  s.Dissolve("AOP8");  // 18
  s.ClearBox();
  if (!s.Line(0, kSubordinateReports[0]) || !s.Line(1, kSubordinateReports[1])) return false;
  if (!s.Pause(2000)) return false;

  s.ClearBox();  // 19
  s.Show("AOP6");
  s.ClearBox();
  if (!s.Pause(500) || !s.Marks()) return false;
  if (!s.Pause(1000)) return false;

  s.Show("AOP9");  // 20
  s.Anger();
  if (!s.Pause(1000)) return false;

  s.Show("AOP12");  // 21
  s.ClearBox();
  if (!s.Line(0, kCaptainOrders)) return false;
  if (!s.Pause(1000)) return false;

  map.DissolveOut();  // 22: the chapter title
  map.LoadPicture("CHAP_A");
  MusicKeeperOff = true;
  PlayMusic("event");
  WaitMusicStarted();
  map.DissolveIn();
  if (!s.Pause(4000)) return false;
  map.DissolveOut();
  return true;
}

}  // namespace

void PlayDoraQOpening(FieldMap& map) {
  DoraQOpeningSeen = 1;
  DoraQCutScene scene(map);
  PlaySteps(scene);
  MusicKeeperOff = false;
  PlayMusic("field");
  map.LoadPicture("DoraQSTAGE");
  scene.FreePictures();
}
