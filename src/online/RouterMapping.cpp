// online: what the player is told of the router's forwarding of the hosting port.
#include "online/RouterMapping.h"

#include <charconv>

#include "platform/Translate.h"

using platform::net::MappingOutcome;
using platform::net::MappingState;

bool AskRouterWhenHosting = false;
std::optional<MappingOutcome> LastRouterOutcome;

namespace {

// What to do by hand, naming this machine when the router told us its address here. Each
// text is one whole sentence with its values, so that a translation can order them its way.
std::string ByHand(const MappingOutcome& o) {
  if (o.localAddress.empty())
    return Format(Tr("家の外から参加してもらうには、ルーターの設定で UDP ポート %d をこのパソコンへ転送してください。"),
                  o.port);
  return Format(
      Tr("家の外から参加してもらうには、ルーターの設定で UDP ポート %d をこのパソコン（%s）へ転送してください。"),
      o.port, o.localAddress.c_str());
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
  const char* address = o.publicAddress.c_str();
  switch (o.state) {
    case MappingState::Asking: return Format(Tr("ルーターに UDP ポート %d の転送を頼んでいます（UPnP）…"), o.port);
    case MappingState::Mapped:
      if (o.publicAddress.empty())
        return Format(Tr("ルーターが UDP ポート %d をこのパソコンへ転送しています。"), o.port);
      if (InsideAddress(o.publicAddress))
        return Format(Tr("ルーターが UDP ポート %d を転送しています。ただしその外側（%s）も内側のアドレスで、"
                         "先にもう一つルーターがあります。そちらでも転送が必要です。"),
                      o.port, address);
      return Format(
          Tr("ルーターが UDP ポート %d をこのパソコンへ転送しています。家の外の相手には %s:%d を伝えてください。"),
          o.port, address, o.port);
    case MappingState::NoRouter: return Tr("ルーターが見つかりません（UPnP の応答がありません）。") + ByHand(o);
    case MappingState::Refused: return Format(Tr("ルーターが転送を断りました（エラー %d）。"), o.error) + ByHand(o);
  }
  return "";
}

std::string RouterStatusText(const MappingOutcome& o) {
  const char* address = o.publicAddress.c_str();
  switch (o.state) {
    case MappingState::Asking: return Tr("ルーターに転送を依頼中");
    case MappingState::Mapped:
      if (o.publicAddress.empty()) return Tr("ルーターが転送中");
      if (InsideAddress(o.publicAddress)) return Format(Tr("ルーターが転送中（外側 %s も内側のアドレス）"), address);
      return Format(Tr("公開アドレス %s:%d"), address, o.port);
    case MappingState::NoRouter: return Format(Tr("ルーターなし：UDP %d を手で転送"), o.port);
    case MappingState::Refused: return Format(Tr("ルーターが拒否：UDP %d を手で転送"), o.port);
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
