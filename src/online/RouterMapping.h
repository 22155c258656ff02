// online: hosting behind a home router. A host asks the router to forward its port (UPnP),
// and the player is told how that went: in the online dialog while it waits, on the versus
// screen's online line, and what to forward by hand when no router did it.
#pragma once
#include <optional>
#include <string>

#include "platform/net/PortMapping.h"

// Whether hosting asks the router (the game: unless --no-upnp; the simulator: with --upnp,
// so that test runs never look for a router unless they mean to).
extern bool AskRouterWhenHosting;
// How the router answered the last hosting that asked it (for the simulator's report).
extern std::optional<platform::net::MappingOutcome> LastRouterOutcome;

// The online dialog's lines while the host waits.
std::string RouterDialogText(const platform::net::MappingOutcome& o);
// The versus screen's short addition to its online line.
std::string RouterStatusText(const platform::net::MappingOutcome& o);
// An IPv4 address that the internet does not route (a home's, or a provider's shared one):
// a router whose outside address is one sits behind another router.
bool InsideAddress(const std::string& address);
// The state as the simulator's report names it.
const char* MappingStateName(platform::net::MappingState state);
