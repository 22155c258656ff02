// chapters: the tournament journey: its map and checkpoints, the rules page and chapter
// title of the first visit, and the arrival at the venue with the reporter.
#include "chapters/Krstage1.h"

#include "field/Bramkochar.h"
#include "actors/Comparas.h"
#include "chapters/Krstage2.h"
#include "platform/Pictures.h"
#include "platform/Platform.h"
#include "platform/Text.h"
#include "screens/Untiku.h"
#include "shell/Bramkoworld.h"
#include "shell/Game.h"
#include "shell/GameMedia.h"
#include "shell/Typewriters.h"

namespace {

constexpr int kBranchPoint = 6;  // the way on to the venue, and the cape of the great jump
constexpr int kVenue = 7;

const LPoint kWaypoints[8] = {{279, 367}, {245, 335}, {218, 291}, {230, 240},
                              {260, 220}, {319, 192}, {326, 146}, {240, 110}};

// Character ids of the keepers of checkpoints 1..5 (index 0 is the start).
constexpr int kCheckpointKeeper[6] = {-1, 0, 1, 2, 12, 4};

// The rules page, nine lines on the parchment.
const char* const kRules[9] = {
    "ＫＲ大会。年に一度のこの大会が今年も始まります。", "会場へ向かう道には、五つの関所があります。",
    "関所の番人に勝たなければ、先へは進めません。",     "しかも通してもらえるのは、ストレート勝ちだけ。",
    "一本でも取られたら、もう一度やり直しです。",       "関所を五つとも抜けた者だけが、大会に出場できます。",
    "本戦は、負けたらそこで終わりの勝ち抜き戦。",       "最後まで勝ち残った者には、すばらしい賞品が",
    "贈られます。さあ、会場を目指しましょう！",
};

// The reporter before the start signal: a page of three lines, then one line.
const char* const kReporterPage1[3] = {
    "HリポーターS「さーて、$今年もやってきました、ＫＲ大会。#$$$$",
    "　優勝候補は、$なんといっても前回の覇者、$$",
    "　ユイ選手でしょう。$いまだ負け知らずです。#$$$$",
};
const char* const kReporterPage2 = "　はたして今年、$彼女を倒す者は現れるのかっ！？#$$$$";
// And after it, on lines 1 and 2.
const char* const kReporterFarewell[2] = {
    "　おっと、$始まりましたね！$それではわたくしは、$$",
    "　優勝者インタビューでまたお会いしましょう！」#$$$$",
};

const char* const kStartSignal = "ブー（大会開始の音）";

void Fill(platform::Canvas& canvas, const platform::Rect& r, platform::Color color) {
  canvas.brush = platform::Brush{color, platform::BrushStyle::Solid, nullptr};
  canvas.FillRect(r);
}

void Frame(platform::Canvas& canvas, const platform::Rect& r, platform::Color color) {
  canvas.brush = platform::Brush{color, platform::BrushStyle::Solid, nullptr};
  canvas.FrameRect(r);
}

// A wait that only watches the cancel button (no window messages): false when cancelled.
bool WaitUnlessCancelled(uint32_t ms) {
  const uint32_t start = TickCount();
  for (uint32_t elapsed; (elapsed = TickCount() - start) < ms;) {
    if (CancelPressed()) return false;
    platform::SpinTurn(ms - elapsed);
  }
  return true;
}

// One line of the reporter's talk; false when the player cancelled.
bool Talk(platform::Canvas& canvas, int line, const char* utf8) {
  return TalkingFaceWriter(canvas, line, platform::Utf8ToSjis(utf8)) == 0;
}

// The reporter on the tournament map: the talk, the start signal and the farewell. Ends
// at once, wherever it is, when the player cancels.
void ReporterScene(platform::Canvas& canvas) {
  PlayMusic("reporter");
  Frame(canvas, {138, 263, 630, 393}, platform::kWhite);
  Frame(canvas, {7, 263, 137, 393}, platform::kWhite);
  Fill(canvas, {139, 264, 629, 392}, platform::kBlack);
  BusyWait(3500);
  platform::LoadPicture("REPORTER", FacePicture);

  for (int line = 0; line < 3; ++line)
    if (!Talk(canvas, line, kReporterPage1[line])) return;
  Fill(canvas, {139, 264, 629, 392}, platform::kBlack);
  if (!Talk(canvas, 0, kReporterPage2)) return;

  canvas.font.color = platform::Rgb(255, 255, 0);
  PlaySound("bu");
  canvas.TextOut(208, 284, kStartSignal);
  if (!WaitUnlessCancelled(1000)) return;
  Fill(canvas, {208, 284, 629, 392}, platform::kBlack);
  if (!WaitUnlessCancelled(500)) return;

  for (int line = 1; line <= 2; ++line)
    if (!Talk(canvas, line, kReporterFarewell[line - 1])) return;
  Fill(canvas, {0, 0, 640, 400}, platform::kBlack);
  PlayMusic("field");
}

int JourneySelect() {
  JourneyLastWaypoint = CurrentWaypoint;
  const int w = CurrentWaypoint;
  if (w >= 1 && w <= 5) {
    if (const OpponentRecord* keeper = Opponents().ByCharacterId(kCheckpointKeeper[w]))
      ShowProfile(FieldMapStep, *keeper);
  } else if (w == 0) {
    SetSceneStep(nullptr);
    delete CurrentMapScene;
    StartMainMenu();
  }
  return 0;
}

}  // namespace

KRStage1::KRStage1(platform::Canvas& canvas) : FieldMap(canvas, "KRSTAGE1", midJourney) {
  SceneName = "KRStage1";
  for (const LPoint& p : kWaypoints) AddWaypoint(&p);
  SelectHandler = JourneySelect;
  if (JourneyIntroSeen == 0) {
    JourneyIntroSeen = 1;
    PlayIntroduction();
  }
  // Back from the tournament or the DoraQ chapter the hero stands at the branch point.
  if (JourneyLastWaypoint > kBranchPoint) JourneyLastWaypoint = kBranchPoint;
  DrawMarkers();
  MoveCursorTo(JourneyLastWaypoint);
  DissolveIn();
  SetSceneStep(FieldMapStep);
}

KRStage1::~KRStage1() { FacePicture.SetSize(0, 0); }

void KRStage1::OnWaypointChanged() {
  JourneyLastWaypoint = CurrentWaypoint;
  if (CurrentWaypoint == kVenue) ArriveAtVenue();
}

void KRStage1::PlayIntroduction() {
  platform::Canvas& screen = GetTargetCanvas();
  MapCursor->MoveTo(-64, -64);
  Fill(screen, {originX, originY, originX + width, originY + height}, platform::kBlack);
  PlayMusic("bramko");
  WaitMusicStarted();
  BusyWait(1000);

  LoadPicture("C2CANVAS");
  platform::Canvas& page = PictureCanvas();
  page.brush.style = platform::BrushStyle::Clear;
  page.font.size = 16;
  page.font.bold = true;
  page.font.color = platform::kBlack;
  for (int k = 0; k < 9; ++k) page.TextOut(72, 48 + 34 * k, kRules[k]);
  DissolveIn();
  WaitReleaseThenPress();
  DissolveOut();

  // The chapter's sting is heard once; nothing restarts it while the title shows.
  PlayMusic("event");
  MusicKeeperOff = true;
  WaitMusicStarted();
  LoadPicture("CHAP_1");
  DissolveIn();
  // The key that turned the rules page is let go first: it must not skip the title too.
  WaitRelease();
  WaitOrKey(4000);
  DissolveOut();

  PlayMusic("field");
  MusicKeeperOff = false;
  LoadPicture("KRSTAGE1");
}

void KRStage1::ArriveAtVenue() {
  SetSceneStep(nullptr);
  BusyWaitPumping(200);
  platform::Canvas& canvas = GetTargetCanvas();
  if (VenueArrivalSeen == 0) {
    VenueArrivalSeen = 1;
    PlayMusic("fanfare");
    WaitMusicEnd();
    Frame(canvas, {42, 263, 598, 365}, platform::kWhite);
    Fill(canvas, {43, 264, 597, 364}, platform::kBlack);
    canvas.font.size = 24;
    canvas.font.bold = false;
    canvas.font.color = platform::kWhite;
    canvas.TextOut(200, 296, "会場に着いた！");
    BusyWaitPumping(1200);

    // The tournament board without the hero, for the reporter to stand in front of.
    DissolveOut();
    Fill(canvas, {0, 0, 640, 400}, platform::kBlack);
    MapCursor->MoveTo(-64, -64);
    LoadPicture("KRSTAGE2");
    RedrawAll();
    ReporterScene(canvas);
  }
  delete this;
  TournamentLastWaypoint = 1;
  new KRStage2(canvas);
}

void ConstructJourney(platform::Canvas& canvas) { new KRStage1(canvas); }
