// online: what the player is told of the router's forwarding of the hosting port.
#include "online/RouterMapping.h"

#include <charconv>

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

bool InsideAddress(const std::string& address) {
  unsigned a[4];
  size_t at = 0;
  for (int i = 0; i < 4; ++i) {
    if (i && (at >= address.size() || address[at++] != '.')) return false;
    const auto [end, ec] = std::from_chars(address.data() + at, address.data() + address.size(), a[i]);
    if (ec != std::errc() || a[i] > 255) return false;
    at = static_cast<size_t>(end - address.data());
  }
  if (at != address.size()) return false;
  return a[0] == 10 || (a[0] == 172 && a[1] >= 16 && a[1] < 32) || (a[0] == 192 && a[1] == 168) ||
         (a[0] == 100 && a[1] >= 64 && a[1] < 128);
}

std::string RouterDialogText(const MappingOutcome& o) {
  switch (o.state) {
    case MappingState::Asking: return "ルーターに " + Port(o) + " の転送を頼んでいます（UPnP）…";
    case MappingState::Mapped:
      if (o.publicAddress.empty()) return "ルーターが " + Port(o) + " をこのパソコンへ転送しています。";
      if (InsideAddress(o.publicAddress))
        return "ルーターが " + Port(o) + " を転送しています。ただしその外側（" + o.publicAddress +
               "）も内側のアドレスで、先にもう一つルーターがあります。そちらでも転送が必要です。";
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
      if (o.publicAddress.empty()) return "ルーターが転送中";
      if (InsideAddress(o.publicAddress)) return "ルーターが転送中（外側 " + o.publicAddress + " も内側のアドレス）";
      return "公開アドレス " + o.publicAddress + ":" + port;
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
