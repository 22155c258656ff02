// platform/media: the device that plays nothing. Each open alias knows its playing time from its
// file; a play starts the clock and the alias reads "playing" until that time has passed.
// Like the mixer, it has one music slot: starting a tune ends the tune that was playing.
#include <map>

#include "platform/media/MediaDevice.h"

namespace platform::media {

namespace {

class TimedDevice : public Device {
 public:
  explicit TimedDevice(const char* name) : name_(name) {}
  const char* Name() const override { return name_; }

  bool Open(const std::string& file, const std::string& alias) override {
    Close(alias);
    std::vector<uint8_t> bytes;
    if (!ReadMediaFile(file, bytes)) return false;
    auto length = PlayingLengthMs(bytes);
    if (!length) return false;
    sounds_[alias] = Sound{*length, IsMusicFile(file), false, 0};
    return true;
  }

  bool Play(const std::string& alias) override {
    auto it = sounds_.find(alias);
    if (it == sounds_.end()) return false;
    if (it->second.music)
      for (auto& [other, s] : sounds_)
        if (s.music) s.started = false;
    it->second.started = true;
    it->second.startMs = ClockMs();
    return true;
  }

  void Stop(const std::string& alias) override {
    auto it = sounds_.find(alias);
    if (it != sounds_.end()) it->second.started = false;
  }

  bool Playing(const std::string& alias) override {
    auto it = sounds_.find(alias);
    if (it == sounds_.end() || !it->second.started) return false;
    const Sound& s = it->second;
    return ClockMs() - s.startMs < s.lengthMs;
  }

  std::optional<uint32_t> MsLeft(const std::string& alias) override {
    if (!Playing(alias)) return std::nullopt;
    const Sound& s = sounds_[alias];
    return s.lengthMs - (ClockMs() - s.startMs);
  }

  void Close(const std::string& alias) override { sounds_.erase(alias); }
  void CloseAll() override { sounds_.clear(); }

 private:
  struct Sound {
    uint32_t lengthMs;
    bool music;
    bool started;
    uint32_t startMs;
  };
  const char* name_;
  std::map<std::string, Sound> sounds_;
};

}  // namespace

std::unique_ptr<Device> MakeTimedDevice(const char* name) { return std::make_unique<TimedDevice>(name); }

}  // namespace platform::media
