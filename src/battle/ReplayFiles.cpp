// battle: the replay files.
#include "battle/ReplayFiles.h"

#include <algorithm>
#include <chrono>
#include <ctime>
#include <filesystem>

#include "actors/Comparas.h"
#include "platform/Dialogs.h"
#include "platform/files/Files.h"
#include "platform/files/InputFile.h"
#include "actors/BattleState.h"
#include "shell/Bramkoworld.h"
#include "shell/GameFiles.h"

namespace {

namespace fs = std::filesystem;

constexpr size_t kLongestName = 64;
constexpr const char* kCaption = "Bramko2 for Windows";

std::vector<uint8_t> g_last;

void Tell(const std::string& text) { platform::ShowMessage(kCaption, text); }

bool WriteReplay(const std::string& path, const std::vector<uint8_t>& bytes) {
  return MakeFolderFor(path) && platform::WriteFileAtomically(path, std::string(bytes.begin(), bytes.end()));
}

// At most the longest file a replay may be, plus one byte to know it was longer.
std::optional<std::vector<uint8_t>> ReadBytes(const std::string& path) {
  std::vector<uint8_t> bytes;
  if (!platform::Got(platform::ReadFile(path, kMaxReplayBytes + 1, bytes, platform::Larger::Cut))) return std::nullopt;
  return bytes;
}

std::string Fight(const Replay& r) {
  if (r.setup.mode == mmVersus) return "対戦";
  const OpponentRecord* o = Opponents().At(r.setup.opponent);
  return (o ? o->name : "?") + "戦";
}

std::string Score(const Replay& r) {
  return std::to_string(r.result.fighters[0].roundsWon) + "-" + std::to_string(r.result.fighters[1].roundsWon);
}

std::string Date(std::time_t t, const char* format) {
  const std::tm* local = std::localtime(&t);
  char text[32];
  return local && std::strftime(text, sizeof text, format, local) ? text : "";
}

std::time_t WrittenAt(const fs::path& p) {
  std::error_code ec;
  const auto t = fs::last_write_time(p, ec);
  if (ec) return 0;
  return std::chrono::system_clock::to_time_t(std::chrono::file_clock::to_sys(t));
}

constexpr const char* kNameDate = "%Y-%m-%d %H.%M";  // as a suggested name shows it
constexpr const char* kListDate = "%Y/%m/%d %H:%M";

// The name, then the fight, its result and when it was played: each once, so what the name
// already says (as a suggested name does) is not said again.
std::string ListingLine(const std::string& name, const Replay* replay, std::time_t at) {
  if (!replay) return name + "　（再生できません）";
  std::string line = name;
  const std::string fight = Fight(*replay) + " " + Score(*replay);
  if (name.find(fight) == std::string::npos) line += "　" + fight;
  if (at && name.find(Date(at, kNameDate)) == std::string::npos) line += "　" + Date(at, kListDate);
  return line;
}

// Cuts UTF-8 text to at most n bytes without splitting a character.
std::string CutUtf8(const std::string& s, size_t n) {
  if (s.size() <= n) return s;
  while (n > 0 && (static_cast<unsigned char>(s[n]) & 0xC0) == 0x80) --n;
  return s.substr(0, n);
}

}  // namespace

void KeepLastReplay(const Replay& replay) {
  g_last = EncodeReplay(replay);
  WriteReplay(ReplayPath(kLastReplayName), g_last);
}

const std::vector<uint8_t>& LastReplayBytes() { return g_last; }
void ForgetLastReplay() { g_last.clear(); }

std::vector<uint8_t> LastReplayToKeep() {
  if (!g_last.empty()) return g_last;
  return ReadBytes(ReplayPath(kLastReplayName)).value_or(std::vector<uint8_t>{});
}

std::string ReplayPath(const std::string& name) { return ReplayFolder() + name + kReplayExtension; }

std::string ReplayFileName(const std::string& text) {
  std::string name;
  for (char c : text) {
    const unsigned char u = static_cast<unsigned char>(c);
    if (u < 0x20 || u == 0x7F || std::string_view("/\\:*?\"<>|").find(c) != std::string_view::npos) continue;
    name += c;
  }
  // Leading dots would hide the file; spaces at either end are never meant.
  const size_t first = name.find_first_not_of(" .");
  if (first == std::string::npos) return "";
  name = name.substr(first);
  name.erase(name.find_last_not_of(' ') + 1);
  return CutUtf8(name, kLongestName);
}

std::string SuggestedReplayName(const Replay& replay) {
  const std::time_t at = replay.startedAt ? static_cast<std::time_t>(replay.startedAt) : std::time(nullptr);
  return ReplayFileName(Date(at, kNameDate) + " " + Fight(replay) + " " + Score(replay));
}

bool SaveLastReplayAs(const std::string& name) {
  const std::vector<uint8_t> last = LastReplayToKeep();
  if (!ReadReplay(last).replay) {
    Tell("保存できるリプレイがありません。先に対戦してください。");
    return false;
  }
  const std::string path = ReplayPath(name);
  if (!WriteReplay(path, last)) {
    Tell(CannotWriteMessage(path, "前回の対戦のリプレイは残っています。"));
    return false;
  }
  return true;
}

std::vector<ReplayListing> ListReplays() {
  struct Found {
    ReplayListing listing;
    std::time_t at;  // when the match was played; 0: not known
  };
  std::vector<Found> found;
  std::error_code ec;
  for (const fs::directory_entry& e : fs::directory_iterator(ReplayFolder(), ec)) {
    if (!e.is_regular_file(ec) || e.path().extension() != kReplayExtension) continue;
    Found f;
    f.listing.name = e.path().stem().string();
    f.listing.path = e.path().string();
    const bool last = f.listing.name == kLastReplayName;
    const std::optional<std::vector<uint8_t>> bytes = ReadBytes(f.listing.path);
    const ReplayReading r = bytes ? ReadReplay(*bytes) : ReplayReading{};
    // A replay of format 1 does not know when it was played; the last match's file was
    // written as it ended, a kept one only when it was kept.
    f.at = r.replay && r.replay->startedAt ? static_cast<std::time_t>(r.replay->startedAt)
           : last                          ? WrittenAt(e.path())
                                           : 0;
    f.listing.line = ListingLine(last ? "前回の対戦" : f.listing.name, r.replay ? &*r.replay : nullptr, f.at);
    found.push_back(std::move(f));
  }
  std::sort(found.begin(), found.end(), [](const Found& a, const Found& b) {
    const bool al = a.listing.name == kLastReplayName, bl = b.listing.name == kLastReplayName;
    if (al != bl) return al;
    if (a.at != b.at) return a.at > b.at;
    return a.listing.name < b.listing.name;
  });
  std::vector<ReplayListing> out;
  for (Found& f : found) out.push_back(std::move(f.listing));
  return out;
}

std::string ReplayRefusal(const ReplayReading& reading) {
  switch (reading.error) {
    case ReplayError::NotAReplay: return "リプレイファイルではありません。";
    case ReplayError::OtherVersion:
      return reading.recordedBy.empty()
                 ? "このリプレイは別の版のゲームで記録されたため、再生できません。"
                 : "このリプレイは別の版のゲーム（" + reading.recordedBy + "）で記録されたため、再生できません。";
    case ReplayError::Damaged: return "リプレイファイルが壊れているため、再生できません。";
    case ReplayError::None: break;
  }
  return "";
}

std::optional<Replay> LoadReplayFile(const std::string& path) {
  const std::optional<std::vector<uint8_t>> bytes = ReadBytes(path);
  if (!bytes) {
    Tell("リプレイファイルを開けません。 " + path);
    return std::nullopt;
  }
  ReplayReading reading = ReadReplay(*bytes);
  if (!reading.replay) {
    Tell(ReplayRefusal(reading) + " " + path);
    return std::nullopt;
  }
  return std::move(reading.replay);
}

ReplayOutcome WatchReplayFile(const std::string& path) {
  const std::optional<Replay> replay = LoadReplayFile(path);
  if (!replay) return ReplayOutcome::Refused;
  const ReplayOutcome outcome = PlayReplay(*replay);
  if (outcome == ReplayOutcome::Refused)
    Tell("このリプレイは別の版のゲームで記録されたため、再生できません。 " + path);
  else if (outcome == ReplayOutcome::Drifted)
    Tell("再生中の対戦が記録と食い違ったため、再生を中止しました。 " + path);
  return outcome;
}
