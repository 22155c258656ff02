// platform/backends: starting the platform with the backend the options ask for (the SDL
// window or the headless one). Above both backends, so that the seam below knows neither.
#pragma once
#include <string>

#include "platform/Platform.h"

namespace platform {

// Starts the backend. False with a message in *error when it cannot run (no display).
bool Start(const StartOptions& options, std::string* error);

}  // namespace platform
