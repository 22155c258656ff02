// platform/media: silencing ALSA's error lines through its own error handler.
#include "platform/media/QuietAlsa.h"

#include <dlfcn.h>

namespace platform::media {

namespace {

// ALSA's snd_lib_error_handler_t.
using AlsaErrorHandler = void (*)(const char* file, int line, const char* function, int err, const char* fmt, ...);
using SetAlsaErrorHandler = int (*)(AlsaErrorHandler);

void Unheard(const char*, int, const char*, int, const char*, ...) {}

}  // namespace

void QuietAlsaErrors() {
  // The library SDL loads (or already has): one copy per process, so its handler is ours to set.
  void* alsa = dlopen("libasound.so.2", RTLD_LAZY);
  if (!alsa) return;
  if (auto set = reinterpret_cast<SetAlsaErrorHandler>(dlsym(alsa, "snd_lib_error_set_handler"))) set(Unheard);
  // Never closed: the handler must stay in place for as long as ALSA is used.
}

}  // namespace platform::media
