// platform/headless: the backend without a window, with a virtual clock and scripted input.
#pragma once
#include <memory>
#include <string>

#include "platform/Backend.h"
#include "platform/Platform.h"

namespace platform {

std::unique_ptr<Backend> MakeHeadlessBackend(const StartOptions& options, std::string* error);

}  // namespace platform
