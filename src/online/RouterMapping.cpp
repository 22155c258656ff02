// online: what the player is told of the router's forwarding of the hosting port.
#include "online/RouterMapping.h"

using platform::net::MappingOutcome;
using platform::net::MappingState;

bool AskRouterWhenHosting = false;
std::optional<MappingOutcome> LastRouterOutcome;

namespace {

std::string Port(const MappingOutcome& o) { return "UDP ポート " + std::to_string(o.port); }

// What to do by hand, naming this machine when the router told us its address here.
std::string ByHand(const MappingOutcome& o) {
  const std::string here = o.localAddress.empty() ? "このパソコン" : "このパソコン（" + o.localAddress + "）";
  return "家の外から参加してもらうには、ルーターの設定で " + Port(o) + " を" + here + "へ転送してください。";
}

}  // namespace

std::string RouterDialogText(const MappingOutcome& o) {
  switch (o.state) {
    case MappingState::Asking: return "ルーターに " + Port(o) + " の転送を頼んでいます（UPnP）…";
    case MappingState::Mapped:
      if (o.publicAddress.empty()) return "ルーターが " + Port(o) + " をこのパソコンへ転送しています。";
      return "ルーターが " + Port(o) + " をこのパソコンへ転送しています。家の外の相手には " + o.publicAddress + ":" +
             std::to_string(o.port) + " を伝えてください。";
    case MappingState::NoRouter: return "ルーターが見つかりません（UPnP の応答がありません）。" + ByHand(o);
    case MappingState::Refused:
      return "ルーターが転送を断りました（エラー " + std::to_string(o.error) + "）。" + ByHand(o);
  }
  return "";
}

std::string RouterStatusText(const MappingOutcome& o) {
  const std::string port = std::to_string(o.port);
  switch (o.state) {
    case MappingState::Asking: return "ルーターに転送を依頼中";
    case MappingState::Mapped:
      return o.publicAddress.empty() ? "ルーターが転送中" : "公開アドレス " + o.publicAddress + ":" + port;
    case MappingState::NoRouter: return "ルーターなし：UDP " + port + " を手で転送";
    case MappingState::Refused: return "ルーターが拒否：UDP " + port + " を手で転送";
  }
  return "";
}

const char* MappingStateName(MappingState state) {
  switch (state) {
    case MappingState::Asking: return "asking";
    case MappingState::Mapped: return "mapped";
    case MappingState::NoRouter: return "noRouter";
    case MappingState::Refused: return "refused";
  }
  return "asking";
}
