// platform/media: media calls, served by the device that fits the running backend: headless gets
// the timed device on the virtual clock; the real backend gets the SDL2_mixer device, or the
// timed device on the real clock when the machine cannot open audio at all.
#include "platform/media/Media.h"

#include "platform/Platform.h"
#include "platform/media/MediaDevice.h"

namespace platform {

namespace {

std::unique_ptr<media::Device> g_device;
bool g_deviceHeadless = false;

// Without a running backend (a tool, a test of the device alone) the real device serves.
bool WantHeadless() { return Started() && IsHeadless(); }

// The open device, unless it belongs to the other kind of backend (tests switch between
// them in one process): then it is closed and there is none.
media::Device* Live() {
  if (g_device && g_deviceHeadless != WantHeadless()) g_device.reset();
  return g_device.get();
}

media::Device& Opened() {
  if (media::Device* d = Live()) return *d;
  g_deviceHeadless = WantHeadless();
  if (g_deviceHeadless) {
    g_device = media::MakeTimedDevice("headless");
  } else {
    g_device = media::MakeSdlMixerDevice();
    if (!g_device) g_device = media::MakeTimedDevice("silent");
  }
  return *g_device;
}

}  // namespace

bool MediaOpen(const std::string& file, const std::string& alias) { return Opened().Open(file, alias); }

bool MediaPlay(const std::string& alias) {
  media::Device* d = Live();
  return d && d->Play(alias);
}

void MediaStop(const std::string& alias) {
  if (media::Device* d = Live()) d->Stop(alias);
}

bool MediaPlaying(const std::string& alias) {
  media::Device* d = Live();
  return d && d->Playing(alias);
}

std::optional<uint32_t> MediaMsLeft(const std::string& alias) {
  media::Device* d = Live();
  return d ? d->MsLeft(alias) : std::nullopt;
}

bool MediaPreparing() {
  media::Device* d = Live();
  return d && d->Preparing();
}

void MediaClose(const std::string& alias) {
  if (media::Device* d = Live()) d->Close(alias);
}

void MediaCloseAll() { g_device.reset(); }

std::string MediaDeviceName() {
  media::Device* d = Live();
  return d ? d->Name() : "";
}

}  // namespace platform
