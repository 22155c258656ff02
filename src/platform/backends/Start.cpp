// platform/backends: the choice of backend at start-up.
#include "platform/backends/Start.h"

#include "platform/Backend.h"
#include "platform/headless/HeadlessBackend.h"
#include "platform/sdl/SdlBackend.h"

namespace platform {

namespace {
std::unique_ptr<Backend> MakeSdl(const StartOptions&, std::string* error) { return MakeSdlBackend(error); }
}  // namespace

bool Start(const StartOptions& options, std::string* error) {
  return StartBackend(options, error, options.kind == BackendKind::Headless ? MakeHeadlessBackend : MakeSdl);
}

}  // namespace platform
