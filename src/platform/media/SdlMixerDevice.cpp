// platform: the real media device on SDL2_mixer. Effects are chunks, each alias on a mixer
// channel of its own, so a new effect never cuts another one and the same effect restarts.
// Tunes are Mix_Music, one at a time, MIDI rendered by FluidSynth with a General MIDI
// soundfont. A machine without a sound device gets SDL's dummy driver: the mixer runs and
// times everything, only nobody hears it.
#include <SDL.h>
#include <SDL_mixer.h>

#include <map>

#include "platform/media/MediaDevice.h"

namespace platform::media {

namespace {

constexpr const char* kSoundFont = "/usr/share/sounds/sf2/TimGM6mb.sf2";
// At full music volume FluidSynth's output clips on full chords and drowns the effects;
// half volume keeps the tunes' peaks below full scale, about as loud as the effects.
constexpr int kMusicVolume = MIX_MAX_VOLUME / 2;

// Every effect is recorded at 22.05 kHz and the General MIDI soundfont's samples are no finer:
// mixing at that rate plays them as they are, and halves what the synthesizer costs (it
// renders every sample of a tune; at 44.1 kHz it alone took about 2 % of a core).
constexpr int kMixRate = 22050;

bool OpenMixer() { return Mix_OpenAudio(kMixRate, MIX_DEFAULT_FORMAT, 2, 1024) == 0; }

// Opens the audio device, falling back to the dummy driver; false when even that fails.
bool OpenAudio() {
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

class SdlMixerDevice : public Device {
 public:
  SdlMixerDevice() {
    Mix_SetSoundFonts(kSoundFont);
    Mix_Init(MIX_INIT_MID);  // without it MIDI simply fails to load: tunes stay silent
    const char* driver = SDL_GetCurrentAudioDriver();
    name_ = std::string("sdl-mixer/") + (driver ? driver : "?");
  }

  ~SdlMixerDevice() override {
    CloseAll();
    Mix_CloseAudio();
    Mix_Quit();
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
  }

  const char* Name() const override { return name_.c_str(); }

  bool Open(const std::string& file, const std::string& alias) override {
    Close(alias);
    std::vector<uint8_t> bytes;
    if (!ReadMediaFile(file, bytes)) return false;
    if (IsMusicFile(file)) {
      Tune tune{file, PlayingLengthMs(bytes)};
      if (!tune.lengthMs) {
        // Not a file our reader understands; if the mixer can play it, let the mixer
        // alone say when it is over.
        Mix_Music* probe = Mix_LoadMUS(file.c_str());
        if (!probe) return false;
        Mix_FreeMusic(probe);
      }
      tunes_[alias] = tune;
      return true;
    }
    Mix_Chunk* chunk = Mix_LoadWAV(file.c_str());
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
    // FluidSynth does not restart a tune it has played: halt it, free it and load it anew.
    HaltTune();
    music_ = Mix_LoadMUS(t->second.file.c_str());
    if (!music_) return false;
    Mix_VolumeMusic(kMusicVolume);
    if (Mix_PlayMusic(music_, 0) != 0) {
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
      return e->second.started && Mix_Playing(e->second.channel) &&
             Mix_GetChunk(e->second.channel) == e->second.chunk;
    if (alias != current_ || !music_ || !Mix_PlayingMusic()) return false;
    // The synthesizer's reverb keeps it "playing" seconds past the last note: the tune is
    // over when its own length has passed.
    const auto& length = tunes_[alias].lengthMs;
    return !length || ClockMs() - startMs_ < *length;
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
    std::string file;
    std::optional<uint32_t> lengthMs;  // none: the mixer says when it ends
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
    if (music_) {
      Mix_HaltMusic();
      Mix_FreeMusic(music_);
      music_ = nullptr;
    }
    current_.clear();
  }

  std::string name_;
  std::map<std::string, Effect> effects_;
  std::map<std::string, Tune> tunes_;
  std::vector<int> freeChannels_;
  int channelCount_ = 0;
  Mix_Music* music_ = nullptr;
  std::string current_;
  uint32_t startMs_ = 0;
};

}  // namespace

std::unique_ptr<Device> MakeSdlMixerDevice() {
  if (!OpenAudio()) return nullptr;
  return std::make_unique<SdlMixerDevice>();
}

}  // namespace platform::media
