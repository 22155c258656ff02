// platform/media (internal): one media device behind the Media.h calls. Three kinds exist: the
// SDL2_mixer device, and the timed device that plays nothing but keeps each sound "playing"
// for its real length (headless on the virtual clock; silent on the real one when the
// machine has no sound at all).
#pragma once
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace platform::media {

class Device {
 public:
  virtual ~Device() = default;
  virtual const char* Name() const = 0;
  // Opening an alias that is already open replaces it.
  virtual bool Open(const std::string& file, const std::string& alias) = 0;
  virtual bool Play(const std::string& alias) = 0;
  virtual void Stop(const std::string& alias) = 0;
  virtual bool Playing(const std::string& alias) = 0;
  // How long the playing tune has left by its own length; nothing when that is not known.
  virtual std::optional<uint32_t> MsLeft(const std::string& alias) = 0;
  virtual void Close(const std::string& alias) = 0;
  virtual void CloseAll() = 0;
  // Tunes are being rendered ahead of their first play.
  virtual bool Preparing() { return false; }
};

// name tells which clock it runs on ("headless" or "silent"); both use the platform clock.
std::unique_ptr<Device> MakeTimedDevice(const char* name);
// Nothing when SDL audio cannot be opened, not even on its dummy driver.
std::unique_ptr<Device> MakeSdlMixerDevice();

// --- helpers shared by the devices ---

// Tunes (".mid", ".midi") go to the one music slot; everything else is an effect.
bool IsMusicFile(const std::string& file);
// The whole file; false when it is missing, unreadable, empty or implausibly large.
bool ReadMediaFile(const std::string& file, std::vector<uint8_t>& bytes);
// Playing time of a MIDI or wave file judged by its contents; nothing when it is neither
// or is corrupt.
std::optional<uint32_t> PlayingLengthMs(const std::vector<uint8_t>& bytes);
// The platform clock in ms; a steady clock of its own while no backend runs.
uint32_t ClockMs();

}  // namespace platform::media
