// platform/media: FluidSynth behind TuneSynth.
#include "platform/media/TuneSynth.h"

#include <fluidsynth.h>
#include <sys/stat.h>

#include <cstring>

namespace platform::media {

struct TuneSynth::Parts {
  fluid_settings_t* settings = nullptr;
  fluid_synth_t* synth = nullptr;
  fluid_player_t* player = nullptr;
  ~Parts() {
    if (player) {
      fluid_player_stop(player);
      delete_fluid_player(player);
    }
    if (synth) delete_fluid_synth(synth);
    if (settings) delete_fluid_settings(settings);
  }
};

namespace {

// FluidSynth reports a damaged file or a missing soundfont on stderr; the game says what it
// has to say itself.
void QuietLog(int, const char*, void*) {}

void SilenceLibraryLog() {
  static const bool once = [] {
    for (int level : {FLUID_PANIC, FLUID_ERR, FLUID_WARN, FLUID_INFO, FLUID_DBG})
      fluid_set_log_function(level, QuietLog, nullptr);
    return true;
  }();
  (void)once;
}

}  // namespace

bool TuneSynth::Understands(const std::vector<uint8_t>& midi) {
  // What FluidSynth's own file test looks at; the tracks are read when the tune starts.
  return midi.size() >= 14 && std::memcmp(midi.data(), "MThd", 4) == 0;
}

std::unique_ptr<TuneSynth> TuneSynth::Start(const std::vector<uint8_t>& midi, int rate, float gain,
                                            const std::string& soundFont) {
  SilenceLibraryLog();
  if (!Understands(midi)) return nullptr;
  std::unique_ptr<TuneSynth> tune(new TuneSynth);
  tune->parts_ = std::make_unique<Parts>();
  Parts& p = *tune->parts_;
  if (!(p.settings = new_fluid_settings())) return nullptr;
  fluid_settings_setnum(p.settings, "synth.sample-rate", rate);
  // The player follows the samples rendered, not the wall clock: the same notes fall on the
  // same frames however late the audio thread runs.
  fluid_settings_setstr(p.settings, "player.timing-source", "sample");
  if (!(p.synth = new_fluid_synth(p.settings))) return nullptr;
  if (fluid_synth_sfload(p.synth, soundFont.c_str(), 1) == FLUID_FAILED) return nullptr;
  fluid_synth_set_gain(p.synth, gain);
  if (!(p.player = new_fluid_player(p.synth))) return nullptr;
  if (fluid_player_add_mem(p.player, midi.data(), midi.size()) != FLUID_OK) return nullptr;
  if (fluid_player_play(p.player) != FLUID_OK) return nullptr;
  return tune;
}

TuneSynth::~TuneSynth() = default;

void TuneSynth::Render(int16_t* out, int frames) {
  if (Done() || fluid_synth_write_s16(parts_->synth, frames, out, 0, 2, out, 1, 2) != FLUID_OK)
    std::memset(out, 0, static_cast<size_t>(frames) * 2 * sizeof(int16_t));
}

bool TuneSynth::RenderToEnd(std::vector<int16_t>& out, size_t limitSamples, const std::atomic<bool>* stop) {
  int16_t block[kBlock * 2];
  while (!Done()) {
    if (out.size() + kBlock * 2 > limitSamples || (stop && stop->load())) return false;
    Render(block, kBlock);
    out.insert(out.end(), block, block + kBlock * 2);
  }
  return true;
}

bool TuneSynth::Done() const { return fluid_player_get_status(parts_->player) == FLUID_PLAYER_DONE; }

std::string TuneSynth::Identity(const std::string& soundFont) {
  struct stat st {};
  std::string id = std::string("fluidsynth ") + fluid_version_str() + "\n" + soundFont + "\n";
  if (stat(soundFont.c_str(), &st) == 0)
    id +=
        std::to_string(st.st_size) + " " + std::to_string(st.st_mtim.tv_sec) + "." + std::to_string(st.st_mtim.tv_nsec);
  return id;
}

}  // namespace platform::media
