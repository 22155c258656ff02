// platform/media: the real media device on SDL2_mixer. Effects are chunks, each alias on a mixer
// channel of its own, so a new effect never cuts another one and the same effect restarts.
// Tunes go to the mixer's music slot one at a time: MIDI rendered by FluidSynth with a
// General MIDI soundfont, kept once rendered (TunePlayer). A machine without a sound device
// gets SDL's dummy driver: the mixer runs and times everything, only nobody hears it.
#include <SDL.h>
#include <SDL_mixer.h>

#include <map>

#include "platform/media/MediaDevice.h"
#include "platform/media/MusicSettings.h"
#include "platform/media/QuietAlsa.h"
#include "platform/media/TunePlayer.h"

namespace platform::media {

namespace {

// Exactly this format: where the device wants another, SDL converts after the mix.
bool OpenMixer() { return Mix_OpenAudioDevice(kMixRate, AUDIO_S16SYS, 2, 1024, nullptr, 0) == 0; }

void FillTune(void* player, Uint8* stream, int bytes) {
  static_cast<TunePlayer*>(player)->Fill(reinterpret_cast<int16_t*>(stream), bytes / 4);
}

// Opens the audio device, falling back to the dummy driver; false when even that fails.
bool OpenAudio() {
  QuietAlsaErrors();  // without a sound card ALSA would fill standard error while SDL looks
  if (SDL_InitSubSystem(SDL_INIT_AUDIO) == 0) {
    if (OpenMixer()) return true;
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
  }
  SDL_SetHintWithPriority(SDL_HINT_AUDIODRIVER, "dummy", SDL_HINT_OVERRIDE);
  bool ok = SDL_InitSubSystem(SDL_INIT_AUDIO) == 0;
  if (ok && !OpenMixer()) {
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
    ok = false;
  }
  // Next time (a later start-up in the same process) the real device is tried again.
  SDL_ResetHint(SDL_HINT_AUDIODRIVER);
  return ok;
}

class SdlMixerDevice final : public Device {
 public:
  SdlMixerDevice() : player_(kMixRate, kMusicGain, kSoundFont, TuneCache(DefaultTuneCacheFolder())) {
    Mix_HookMusic(FillTune, &player_);
    const char* driver = SDL_GetCurrentAudioDriver();
    name_ = std::string("sdl-mixer/") + (driver ? driver : "?");
  }

  ~SdlMixerDevice() override {
    CloseAll();
    Mix_HookMusic(nullptr, nullptr);  // the audio thread lets go of the player
    Mix_CloseAudio();
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
  }

  const char* Name() const override { return name_.c_str(); }

  bool Open(const std::string& file, const std::string& alias) override {
    Close(alias);
    std::vector<uint8_t> bytes;
    if (!ReadMediaFile(file, bytes)) return false;
    if (IsMusicFile(file)) {
      auto length = PlayingLengthMs(bytes);
      // Not a file our reader understands: if the synthesizer takes it, it alone says when
      // the tune is over.
      if (!length && !TuneSynth::Understands(bytes)) return false;
      player_.Prepare(bytes, length);
      tunes_[alias] = Tune{std::move(bytes), length};
      return true;
    }
    // From the bytes already read: the file is not opened a second time.
    Mix_Chunk* chunk = Mix_LoadWAV_RW(SDL_RWFromConstMem(bytes.data(), static_cast<int>(bytes.size())), 1);
    if (!chunk) return false;
    int channel = NextChannel();
    effects_[alias] = Effect{chunk, channel, false};
    return true;
  }

  bool Play(const std::string& alias) override {
    if (auto e = effects_.find(alias); e != effects_.end()) {
      // Playing on the alias's own channel cuts only its own previous play.
      e->second.started = Mix_PlayChannel(e->second.channel, e->second.chunk, 0) >= 0;
      return e->second.started;
    }
    auto t = tunes_.find(alias);
    if (t == tunes_.end()) return false;
    if (!player_.Play(t->second.midi, t->second.lengthMs)) {
      HaltTune();
      return false;
    }
    current_ = alias;
    startMs_ = ClockMs();
    return true;
  }

  void Stop(const std::string& alias) override {
    if (auto e = effects_.find(alias); e != effects_.end()) {
      Mix_HaltChannel(e->second.channel);
      e->second.started = false;
    } else if (alias == current_) {
      HaltTune();
    }
  }

  bool Playing(const std::string& alias) override {
    if (auto e = effects_.find(alias); e != effects_.end())
      return e->second.started && Mix_Playing(e->second.channel) && Mix_GetChunk(e->second.channel) == e->second.chunk;
    if (alias != current_ || player_.Over()) return false;
    // The synthesizer's reverb keeps it "playing" seconds past the last note: the tune is
    // over when its own length has passed.
    const auto& length = tunes_[alias].lengthMs;
    return !length || ClockMs() - startMs_ < *length;
  }

  bool Preparing() override { return player_.Preparing(); }

  std::optional<uint32_t> MsLeft(const std::string& alias) override {
    if (effects_.count(alias) || alias != current_) return std::nullopt;
    const auto& length = tunes_[alias].lengthMs;
    if (!length) return std::nullopt;
    const uint32_t played = ClockMs() - startMs_;
    return played < *length ? *length - played : 0;
  }

  void Close(const std::string& alias) override {
    if (auto e = effects_.find(alias); e != effects_.end()) {
      Mix_HaltChannel(e->second.channel);
      Mix_FreeChunk(e->second.chunk);
      freeChannels_.push_back(e->second.channel);
      effects_.erase(e);
    }
    if (alias == current_) HaltTune();
    tunes_.erase(alias);
  }

  void CloseAll() override {
    while (!effects_.empty()) Close(std::string(effects_.begin()->first));  // a copy: the key dies
    HaltTune();
    tunes_.clear();
  }

 private:
  struct Effect {
    Mix_Chunk* chunk;
    int channel;
    bool started;
  };
  struct Tune {
    std::vector<uint8_t> midi;
    std::optional<uint32_t> lengthMs;  // none: the synthesizer says when it ends
  };

  int NextChannel() {
    if (!freeChannels_.empty()) {
      int c = freeChannels_.back();
      freeChannels_.pop_back();
      return c;
    }
    int c = channelCount_++;
    if (Mix_AllocateChannels(-1) < channelCount_) Mix_AllocateChannels(channelCount_);
    return c;
  }

  void HaltTune() {
    if (!current_.empty()) player_.Stop();
    current_.clear();
  }

  std::string name_;
  std::map<std::string, Effect> effects_;
  std::map<std::string, Tune> tunes_;
  std::vector<int> freeChannels_;
  int channelCount_ = 0;
  TunePlayer player_;
  std::string current_;
  uint32_t startMs_ = 0;
};

}  // namespace

std::unique_ptr<Device> MakeSdlMixerDevice() {
  if (!OpenAudio()) return nullptr;
  return std::make_unique<SdlMixerDevice>();
}

}  // namespace platform::media
