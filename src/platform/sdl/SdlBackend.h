// platform/sdl: the backend of the real window (SDL2, with the ImGui layer over it).
#pragma once
#include <memory>
#include <string>

#include "platform/Backend.h"

namespace platform {

std::unique_ptr<Backend> MakeSdlBackend(std::string* error);

}  // namespace platform
