// The online messages' reader refuses what is not exactly one well-formed message, and the
// lockstep makes good a lost inputs message with the next one.
#include <gtest/gtest.h>

#include "online/Lockstep.h"
#include "online/NetMessage.h"

namespace {

TEST(NetMessage, EveryKindReadsBackAndAnythingElseIsRefused) {
  NetStart start;
  start.round = 3;
  start.delay = 4;
  start.seed = 0xdeadbeef;
  start.fangPower[1] = 370;
  start.fangSet[0] = 2;
  start.startedAt = 0x123456789;  // past 32 bits
  NetInputs inputs{7, 100, 98, {1, 2, 0x41, 0x80}};
  const std::vector<NetMessage> all = {NetHello{1, 1, "1.02"}, NetChoice{2, 3, 7, 1, 5}, start, inputs,
                                       NetChecksum{1, 9, 77}, NetWait{1, 2, 1, 6, 900}, NetEnd{1, NetEndReason::Closing}};
  for (const NetMessage& m : all) {
    const std::string bytes = EncodeNetMessage(m);
    const auto back = ReadNetMessage(bytes);
    ASSERT_TRUE(back.has_value()) << m.index();
    EXPECT_EQ(*back, m);
    // Cut short anywhere, or with a byte too many: refused.
    for (size_t n = 0; n < bytes.size(); ++n) EXPECT_FALSE(ReadNetMessage(bytes.substr(0, n))) << m.index() << " " << n;
    EXPECT_FALSE(ReadNetMessage(bytes + '\0')) << m.index();
  }
  // Values out of their range: a cursor past "exit", no inputs at all, an unknown wait result.
  std::string choice = EncodeNetMessage(NetChoice{0, 3, 0, 0, 0});
  choice[5] = 4;
  EXPECT_FALSE(ReadNetMessage(choice));
  std::string empty = EncodeNetMessage(inputs);
  empty[13] = 0;
  EXPECT_FALSE(ReadNetMessage(empty.substr(0, 14)));
  std::string wait = EncodeNetMessage(NetWait{1, 2, 1, 6, 900});
  wait[10] = 3;
  EXPECT_FALSE(ReadNetMessage(wait));
  EXPECT_FALSE(ReadNetMessage(std::string("XK\x05\x01\x00\x01\x00\x00\x00\x02\x00\x00\x00", 13)));
}

TEST(Lockstep, AFrameWaitsForBothSidesAndALostMessageIsMadeGoodByTheNext) {
  Lockstep host(0, 2), guest(1, 2);
  // Frames up to the delay have no input on either side.
  EXPECT_TRUE(host.Ready(2));
  EXPECT_FALSE(host.Ready(3));
  host.AddLocal(1, 5);   // counts for frame 3
  guest.AddLocal(1, 9);
  guest.AddLocal(2, 10);  // frame 4
  const NetInputs lost = guest.Outgoing(0);
  (void)lost;  // never arrives
  guest.AddLocal(3, 11);  // frame 5
  host.Receive(guest.Outgoing(0));  // repeats frames 3 and 4 besides 5
  ASSERT_TRUE(host.Ready(3));
  EXPECT_EQ(host.Input(3, 0), 5);
  EXPECT_EQ(host.Input(3, 1), 9);
  EXPECT_FALSE(host.Ready(4));  // the host's own input for frame 4 is not read yet
  host.AddLocal(2, 6);
  EXPECT_EQ(host.Input(4, 1), 10);
  // Once the host confirms, the guest sends only what is new (plus its latest).
  guest.Receive(host.Outgoing(0));
  const NetInputs next = guest.Outgoing(0);
  EXPECT_EQ(next.first, 5u);
  EXPECT_EQ(next.inputs.size(), 1u);
}

}  // namespace
