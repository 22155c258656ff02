// What the host is told of its router: the address to give a friend only when the internet
// can reach it, and the port to forward by hand whenever the router did not.
#include <gtest/gtest.h>

#include "online/RouterMapping.h"

namespace {

using platform::net::MappingOutcome;
using platform::net::MappingState;

MappingOutcome Outcome(MappingState state, const std::string& publicAddress = "", const std::string& local = "") {
  MappingOutcome o;
  o.state = state;
  o.port = 7801;
  o.publicAddress = publicAddress;
  o.localAddress = local;
  return o;
}

TEST(RouterMapping, InsideAddressesAreTheUnroutedBlocksAndNothingNextToThem) {
  for (const char* inside : {"10.0.0.1", "172.16.0.1", "172.31.255.255", "192.168.1.20", "100.64.0.1", "100.127.1.1"})
    EXPECT_TRUE(InsideAddress(inside)) << inside;
  for (const char* outside : {"11.77.0.1", "172.15.0.1", "172.32.0.1", "192.169.0.1", "100.63.0.1", "100.128.0.1",
                              "9.255.255.255", "", "10.0.0", "10.0.0.1.2", "10.0.0.256", "10.0.0.1x"})
    EXPECT_FALSE(InsideAddress(outside)) << outside;
}

TEST(RouterMapping, OnlyAReachableAddressIsOfferedAndEveryFailureNamesThePort) {
  EXPECT_EQ(RouterStatusText(Outcome(MappingState::Mapped, "203.0.113.9")), "公開アドレス 203.0.113.9:7801");
  EXPECT_NE(RouterDialogText(Outcome(MappingState::Mapped, "203.0.113.9")).find("203.0.113.9:7801"), std::string::npos);
  // Behind a second router (a provider's shared address) the address is not one to give out.
  for (const std::string& text : {RouterStatusText(Outcome(MappingState::Mapped, "100.70.3.4")),
                                  RouterDialogText(Outcome(MappingState::Mapped, "100.70.3.4"))}) {
    EXPECT_EQ(text.find("公開アドレス"), std::string::npos) << text;
    EXPECT_EQ(text.find(":7801"), std::string::npos) << text;
  }
  for (MappingState failed : {MappingState::NoRouter, MappingState::Refused}) {
    EXPECT_NE(RouterStatusText(Outcome(failed)).find("UDP 7801"), std::string::npos);
    const std::string dialog = RouterDialogText(Outcome(failed, "", "192.168.5.6"));
    EXPECT_NE(dialog.find("UDP ポート 7801"), std::string::npos) << dialog;
    EXPECT_NE(dialog.find("192.168.5.6"), std::string::npos) << dialog;
  }
}

}  // namespace
