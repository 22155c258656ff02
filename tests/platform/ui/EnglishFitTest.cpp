// Every English text fits where it is drawn: each msgstr of po/en.po is measured with the
// font it is drawn in (the game's canvas text at the note's size, or the dialog font) against
// the room its note in po/bramko2.pot gives in pixels. A text whose note gives no room is
// either in the list below with the reason, or the test fails asking for one.
#include <gtest/gtest.h>

#include <SDL.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <fstream>
#include <map>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

#include "platform/Bitmap.h"
#include "platform/ui/DialogWidgets.h"
#include "platform/ui/ImGuiLayer.h"
#include "support/Headless.h"

namespace {

struct Entry {
  std::string msgid, note;
  std::vector<std::string> msgstrs;
};

std::string Unquote(const std::string& s) {
  std::string out;
  const size_t end = s.rfind('"');
  for (size_t i = s.find('"') + 1; i < end; ++i) {
    if (s[i] == '\\' && i + 1 < end) {
      const char c = s[++i];
      out += c == 'n' ? '\n' : c == 't' ? '\t' : c;
    } else {
      out += s[i];
    }
  }
  return out;
}

// The entries of a .po or .pot file with their notes (#.) joined.
std::vector<Entry> ReadCatalogue(const std::string& path) {
  std::ifstream in(path);
  std::vector<Entry> out;
  Entry cur;
  std::string* field = nullptr;
  auto flush = [&] {
    if (!cur.msgid.empty()) out.push_back(cur);
    cur = Entry{};
    field = nullptr;
  };
  for (std::string line; std::getline(in, line);) {
    if (line.empty()) {
      flush();
    } else if (line.rfind("#. ", 0) == 0) {
      cur.note += line.substr(3) + " ";
    } else if (line.rfind("msgid ", 0) == 0) {
      cur.msgid = Unquote(line.substr(6));
      field = &cur.msgid;
    } else if (line.rfind("msgid_plural ", 0) == 0) {
      field = nullptr;
    } else if (line.rfind("msgstr", 0) == 0) {
      cur.msgstrs.push_back(Unquote(line.substr(line.find(' '))));
      field = &cur.msgstrs.back();
    } else if (line[0] == '"' && field) {
      *field += Unquote(line);
    }
  }
  flush();
  return out;
}

// Where a text is drawn: on the canvas (size, bold, face) or in a dialog, and its room.
struct Room {
  bool canvas = false;
  int size = 0;
  bool bold = false;
  bool monospaced = false;  // "ＭＳ ゴシック", the battle panel's face
  int letterGap = 0;        // pixels a typewriter adds between letters
  int extra = 0;            // an outline or a doubling draws this much right of the text
  int width = 0;
  std::string where;
};

int Int(const std::ssub_match& m) { return std::stoi(m.str()); }

// The rooms a note names (an opponent's name is drawn in two places, so it gets two).
std::vector<Room> RoomsOf(const std::string& note) {
  std::vector<Room> rooms;
  std::smatch m;
  const bool bold = note.find("bold") != std::string::npos;
  // Canvas text from a left x to an edge: "size 14 from x 48, box edge x 597",
  // "size 36 outlined at x 192, window edge x 617", "size 14 at x 200; its names start at x 312".
  static const std::regex span(
      R"(size (\d+)[^;(]*?(?:from|at) x (\d+)(?: or x (\d+))?[^;]*?(?:edge x|start at x) (\d+))");
  static const std::regex open(R"(size (\d+)[^;]*?(?:from|at) x (\d+)(?: or x (\d+))?)");
  static const std::regex centred(R"(size (\d+) bold, centred in (\d+) px)");
  static const std::regex gap(R"(each letter (\d+) px apart)");
  static const std::regex pill(R"(pill (\d+) px wide, size (\d+))");
  static const std::regex sixDots(R"(size (\d+) after six dots[^;]*?edge x (\d+))");
  static const std::regex spread(R"(size (\d+), drawn at x (\d+), (\d+))");
  int letterGap = std::regex_search(note, m, gap) ? Int(m[1]) : 0;
  // Outlined lettering is drawn again 3 px to the right; a staff name doubled 1 px.
  const int extra = note.find("staff roll name, outlined") != std::string::npos ? 1
                    : note.find("outlined") != std::string::npos                ? 3
                                                                                : 0;
  if (std::regex_search(note, m, centred)) rooms.push_back({true, Int(m[1]), true, true, 0, 0, Int(m[2]), m.str()});
  if (std::regex_search(note, m, pill))  // the caption sits 4 px inside its rounded ends
    rooms.push_back({true, Int(m[2]), false, false, 0, 0, Int(m[1]) - 8, m.str()});
  else if (std::regex_search(note, m, sixDots))  // the dots end at x 196
    rooms.push_back({true, Int(m[1]), false, false, 0, 0, Int(m[2]) - 196, m.str()});
  else if (std::regex_search(note, m, spread))  // drawn again a little further right
    rooms.push_back({true, Int(m[1]), false, false, 0, 0, Int(m[3]) - Int(m[2]), m.str()});
  else if (std::regex_search(note, m, span)) {
    int from = std::max(Int(m[2]), m[3].matched ? Int(m[3]) : 0);
    rooms.push_back({true, Int(m[1]), bold && rooms.empty(), false, letterGap, extra, Int(m[4]) - from, m.str()});
  } else if (std::regex_search(note, m, open)) {  // nothing further right than the screen's edge
    int from = std::max(Int(m[2]), m[3].matched ? Int(m[3]) : 0);
    rooms.push_back(
        {true, Int(m[1]), bold && rooms.empty(), false, letterGap, extra, 640 - from, m.str() + " to x 640"});
  }
  static const std::regex answers(R"(size (\d+) outlined, \w+ of them (\d+) px apart)");
  if (std::regex_search(note, m, answers))
    rooms.push_back({true, Int(m[1]), false, false, 0, extra, Int(m[2]), m.str()});

  // Dialog widgets (src/platform/ui/DialogWidgets.cpp): a button centres its caption inside
  // a 3 px frame; a radio item's text starts 16 px into its column, a check box's 17 px in; a
  // group's caption starts 8 px in; a combo box shows its item 4 px in, left of an 18 px arrow.
  static const std::regex button(R"(button[:,]? (\d+)(?:-\d+)? px)");
  static const std::regex acrossRadio(R"(radio item, (\w+) across (\d+) px)");
  static const std::regex radio(R"(radio item, (\d+) px wide)");
  static const std::regex group(R"((?:group box title|radio group caption), (\d+) px wide)");
  static const std::regex check(R"(check box (\d+) px wide)");
  static const std::regex combo(R"(combo box(?: item)?,? (\d+) px wide)");
  static const std::regex label(R"((?:label|list)[^;]*?(\d+) px wide)");
  static const std::regex labelTo(R"(label from x (\d+), button at x (\d+))");
  static const std::regex labelLeft(R"(label left of a text box at x (\d+))");
  static const std::regex labelCombo(R"(label from x (\d+) left of a combo box at x (\d+))");
  static const std::regex online(R"(label from x (\d+), dialog (\d+) px wide)");
  auto dialog = [&](int w) { rooms.push_back({false, 12, false, false, 0, 0, w, m.str()}); };
  if (std::regex_search(note, m, button)) dialog(Int(m[1]) - 6);
  if (std::regex_search(note, m, acrossRadio)) dialog((Int(m[2]) - 16) / 4 - 16 - 4);
  if (std::regex_search(note, m, radio)) dialog(Int(m[1]) - 16 - 16 - 4);
  if (std::regex_search(note, m, group)) dialog(Int(m[1]) - 16);
  if (std::regex_search(note, m, check)) dialog(Int(m[1]) - 17);
  if (std::regex_search(note, m, combo)) dialog(Int(m[1]) - 4 - 18);
  if (std::regex_search(note, m, labelTo)) dialog(Int(m[2]) - Int(m[1]) - 4);
  if (std::regex_search(note, m, labelLeft)) dialog(Int(m[1]) - 20 - 4);  // the labels start at x 20
  if (std::regex_search(note, m, labelCombo)) dialog(Int(m[2]) - Int(m[1]) - 4);
  if (std::regex_search(note, m, online)) dialog(Int(m[2]) - 2 * Int(m[1]));
  if (rooms.empty() && std::regex_search(note, m, label)) dialog(Int(m[1]));
  return rooms;
}

// Texts whose note names no room in pixels, with the room read from the screen's code.
const std::map<std::string, Room> kFromCode = {
    // src/actors/BattlePanel.cpp: the hero's name on the panel like every fighter's.
    {"ブラムコー", {true, 16, true, true, 0, 0, 196, "battle panel, size 16 bold in 196 px"}},
    // src/online/NetVersusDialog.cpp: a label at x 16 left of the combo box at x 80.
    {"入力遅延", {false, 12, false, false, 0, 0, 80 - 16 - 4, "label from x 16, combo box at x 80"}},
    // The delay combo box, 150 px wide.
    {"自動（0〜%d フレーム）", {false, 12, false, false, 0, 0, 150 - 22, "combo box 150 px wide"}},
    {"%d フレーム", {false, 12, false, false, 0, 0, 150 - 22, "combo box 150 px wide"}},
    // Waiting for the guest: a label from x 16 across the 420 px dialog.
    // src/settings/KeycfgView.cpp: a label from x 190 to the 466 px dialog's edge, less 8.
    {"左記の機能に対応するキー一覧",
     {false, 12, false, false, 0, 0, 466 - 190 - 8, "label from x 190 to the dialog's edge"}},
    // src/chapters/DoraqEnding.cpp: typed like the line above it.
    {"H\u3000\u3000\u3000\u3000\u3000Sこれで島にもようやく平和がもどる。",
     {true, 14, false, false, 0, 0, 597 - 48, "typed size 14 from x 48, box edge x 597"}},
    {"（相手がつなぐまで、このままお待ちください）",
     {false, 12, false, false, 0, 0, 420 - 32, "label across the dialog"}},
};

// Notes that give no room, and why those texts are not measured.
const std::vector<std::pair<std::string, std::string>> kNotMeasured = {
    {"message box", "message boxes break their lines to fit"},
    {"broken at 420 px", "broken into lines to fit"},
    {"terminal message", "printed on the terminal"},
    {"start-up error", "printed on the terminal, then a message box"},
    {"help section title", "the help's topic list scrolls sideways and its section titles break"},
    {"help window text", "the help's text field breaks its lines"},
    {"menu bar", "the menu bar and its menus grow to their widest label"},
    {"dialog caption", "the caption bar is as wide as its dialog and cuts a long caption"},
    {"settings dialog caption", "the caption bar cuts a long caption"},
    {"key name in the key list", "key names are short and the list is 200 px wide"},
    {"separator", "joins other texts"},
    {"hidden", "never drawn"},
    {"replay list", "the list cuts its lines with \"...\""},
    {"versus screen's online", "the online line is cut at the screen's edge by design"},
    {"why an online match ended", "shown in a message box"},
    {"never drawn from here", "a lookup key"},
    {"online dialog (420 px wide", "message boxes of the online dialog (the measured ones are listed above)"},
    {"speaker label", "a short name before the line"},
    {"staff roll title", "one short word"},
    {"replay dialogs", "message boxes of the replay dialogs"},
    {"settings dialog (dialog font 12 px)", "message boxes and labels of the settings dialog that break"},
    {"key dialog (dialog font 12 px)", "message boxes of the key dialog"},
    {"key dialog", "the key dialog's own labels have notes with widths"},
    {"settings dialog", "the settings dialog's own labels have notes with widths"},
    {"label beside a pad combo box", "beside the combo box, with the dialog's width to its right"},
    {"pad assignment", "a combo box 170 px wide holds \"PLAYER 1\" in any font"},
    {"profile screen", "the profile screen's texts with rooms have notes of their own"},
    {"tournament ending", "the ending's texts with rooms have notes of their own"},
    {"DoraQ chapter ending", "the ending's texts with rooms have notes of their own"},
    {"tournament journey", "the journey's texts with rooms have notes of their own"},
    {"help window", "buttons of the help window"},
    {"when no address was found", "ends the address label, which is cut with \"...\" at 384 px"},
    {"the other player's version", "shown in a message box"},
    {"Ro key", "a key name"},
    {"typed by the player", "the player's own text fills it"},
};

// The printed rows of a text: a typed line loses its pacing codes and breaks at {R} and {C}.
std::vector<std::string> Rows(std::string s, bool typed, bool port) {
  if (typed) {
    static const std::regex code(R"(\{(.)\})");
    std::string out;
    std::sregex_iterator it(s.begin(), s.end(), code), end;
    size_t at = 0;
    for (; it != end; ++it) {
      out += s.substr(at, static_cast<size_t>(it->position()) - at);
      char c = (*it)[1].str()[0];
      if (c == 'R' || c == 'C') out += '\n';
      at = static_cast<size_t>(it->position() + it->length());
    }
    s = out + s.substr(at);
  }
  // A port number has five digits; every other number the texts hold, two at most.
  for (size_t p; (p = s.find("%d")) != std::string::npos;) s.replace(p, 2, port ? "65535" : "99");
  std::vector<std::string> rows;
  std::stringstream in(s);
  for (std::string row; std::getline(in, row);) rows.push_back(row);
  return rows;
}

int LetterByLetter(platform::Canvas& canvas, const std::string& s, int gap) {
  int w = 0;
  for (size_t i = 0; i < s.size();) {
    size_t n = 1;
    while (i + n < s.size() && (static_cast<unsigned char>(s[i + n]) & 0xC0) == 0x80) ++n;
    w += canvas.TextWidth(s.substr(i, n)) + (i ? gap : 0);
    i += n;
  }
  return w;
}

TEST(EnglishFit, EveryEnglishTextFitsTheRoomItIsDrawnIn) {
  std::map<std::string, std::string> notes;
  for (const auto& e : ReadCatalogue(BRAMKO_SOURCE_DIR "/po/bramko2.pot")) notes[e.msgid] = e.note;
  const auto english = ReadCatalogue(BRAMKO_SOURCE_DIR "/po/en.po");
  ASSERT_GT(english.size(), 400u);

  testing_support::HeadlessPlatform headless;
  platform::Bitmap page(640, 480);
  platform::Canvas& canvas = page.GetCanvas();
  setenv("SDL_VIDEODRIVER", "dummy", 1);
  ASSERT_EQ(SDL_Init(SDL_INIT_VIDEO), 0) << SDL_GetError();
  SDL_Window* window = SDL_CreateWindow("t", 0, 0, 640, 500, 0);
  ASSERT_NE(window, nullptr) << SDL_GetError();
  SDL_Renderer* renderer = SDL_CreateRenderer(window, -1, SDL_RENDERER_SOFTWARE);
  ASSERT_NE(renderer, nullptr) << SDL_GetError();
  ASSERT_TRUE(platform::ui::Init(window, renderer));
  platform::ui::View view;
  platform::ui::SetView(view);
  for (const auto& e : english)
    for (const auto& s : e.msgstrs) platform::ui::RequireGlyphs(s);
  platform::ui::BuildFrame([] {});

  int measured = 0;
  std::vector<std::string> overflows, unknown;
  for (const auto& e : english) {
    const std::string& note = notes[e.msgid];
    std::vector<Room> rooms = RoomsOf(note);
    if (auto it = kFromCode.find(e.msgid); it != kFromCode.end()) rooms = {it->second};
    if (rooms.empty()) {
      bool listed = note.empty() || std::any_of(kNotMeasured.begin(), kNotMeasured.end(),
                                                [&](const auto& r) { return note.find(r.first) != std::string::npos; });
      if (!listed) unknown.push_back(e.msgid + "  (" + note + ")");
      continue;
    }
    // A typed text is set letter by letter; its pacing codes (if any) are not printed.
    const bool typed = (note + rooms[0].where).find("typed") != std::string::npos;
    for (const auto& s : e.msgstrs)
      for (const auto& row : Rows(s, typed, e.msgid.find("ポート") != std::string::npos))
        for (const Room& r : rooms) {
          int w;
          if (r.canvas) {
            canvas.font = platform::Font{};
            canvas.font.name = r.monospaced ? "ＭＳ ゴシック" : "ＭＳ Ｐゴシック";
            canvas.font.size = r.size;
            canvas.font.bold = r.bold;
            // A typewriter sets each letter on its own, the next one at the pen plus the gap.
            w = typed ? LetterByLetter(canvas, row, r.letterGap) : canvas.TextWidth(row);
            w += r.extra;
          } else {
            w = static_cast<int>(std::ceil(platform::dlg::TextWidth(row)));
          }
          ++measured;
          if (w > r.width)
            overflows.push_back("\"" + row + "\" is " + std::to_string(w) + " px, room " + std::to_string(r.width) +
                                " (" + r.where + ") for " + e.msgid);
        }
  }
  platform::ui::Shutdown();
  SDL_DestroyRenderer(renderer);
  SDL_DestroyWindow(window);

  // Most texts have a room: a parser that lost the notes would measure nothing.
  EXPECT_GT(measured, 300);
  for (const auto& u : unknown) ADD_FAILURE() << "no room known for " << u;
  for (const auto& o : overflows) ADD_FAILURE() << "overflows: " << o;
}

}  // namespace
