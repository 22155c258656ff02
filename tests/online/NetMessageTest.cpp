// The online messages' reader refuses what is not exactly one well-formed message, the
// README's protocol table is what goes on the wire, and the lockstep makes good a lost inputs
// message with the next one.
#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <regex>

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
  const std::vector<NetMessage> all = {
      NetHello{1, 1, "1.02", 1},
      NetChoice{2, 3, 7, 1, 4},
      start,
      inputs,
      NetChecksum{1, 9, 77},
      NetWait{1, 2, 1, 6, 900},
      NetEnd{1, NetEndReason::Closing},
      NetAlive{},
      NetSides{2, {3, 1}, {7, 0}, {1, 0}},
      NetTape{2, 64, kTapeFinal, {{5, TapeOp::Bits, 1, 63, 0}, {9, TapeOp::Wait, 3, 6, 1200}}},
      NetWatching{2, 366}};
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
  // A tape entry a tape never holds: a third side's keys.
  std::string tape = EncodeNetMessage(NetTape{0, 0, 1, {{1, TapeOp::Bits, 0, 3, 0}}});
  tape[19] = 2;
  EXPECT_FALSE(ReadNetMessage(tape));
}

// The fields of a table cell, split at the commas outside brackets.
std::vector<std::string> Fields(const std::string& cell) {
  std::vector<std::string> out(1);
  int depth = 0;
  for (size_t i = 0; i < cell.size(); ++i) {
    if (cell[i] == '(') ++depth;
    if (cell[i] == ')') --depth;
    if (depth == 0 && cell.compare(i, 2, ", ") == 0) {
      out.emplace_back();
      ++i;
    } else {
      out.back() += cell[i];
    }
  }
  return out;
}

// A stranger writes a peer from that table: each kind's byte, its size from the widths of its
// fields, and whether it goes reliably must be what we send.
TEST(NetMessage, TheReadmeProtocolTableIsWhatGoesOnTheWire) {
  // A message of each kind, and its n (the length its variable part has).
  const std::map<std::string, std::pair<NetMessage, int>> samples = {{"hello", {NetHello{2, 1, "1.02"}, 4}},
                                                                     {"choice", {NetChoice{}, 0}},
                                                                     {"start", {NetStart{}, 0}},
                                                                     {"inputs", {NetInputs{0, 1, 0, {1, 2, 3}}, 3}},
                                                                     {"checksum", {NetChecksum{0, 1, 0}, 0}},
                                                                     {"wait", {NetWait{0, 1, 1, 0, 5}, 0}},
                                                                     {"end", {NetEnd{}, 0}},
                                                                     {"alive", {NetAlive{}, 0}},
                                                                     {"sides", {NetSides{}, 0}},
                                                                     {"tape", {NetTape{0, 0, 1, {{}, {}}}, 2}},
                                                                     {"watching", {NetWatching{}, 0}}};
  std::ifstream readme(BRAMKO_SOURCE_DIR "/README.md");
  ASSERT_TRUE(readme);
  const std::regex row(R"(^\| (\d+) \| `(\w+)` \| (reliable|unreliable) \| (.*) \|$)");
  const std::regex width(R"(^(?:(\d+|n) × )?u(8|16|32) )");
  // "n × (u32 frame, u8 op)": n records of those fields.
  const std::regex group(R"(^(\d+|n) × \((.*)\)$)");
  size_t rows = 0;
  for (std::string line; std::getline(readme, line);) {
    std::smatch m;
    if (!std::regex_match(line, m, row)) continue;
    ++rows;
    const auto sample = samples.find(m[2].str());
    ASSERT_NE(sample, samples.end()) << line;
    const auto& [message, n] = sample->second;
    const std::string bytes = EncodeNetMessage(message);
    EXPECT_EQ(static_cast<uint8_t>(bytes[2]), std::stoi(m[1].str())) << line;
    EXPECT_EQ(SentReliably(message), m[3] == "reliable") << line;
    size_t size = 3;  // BK and the kind
    const auto bytesOf = [&](const std::string& fields) {
      size_t total = 0;
      for (const std::string& field : Fields(fields)) {
        if (field == "nothing") continue;
        std::smatch w;
        EXPECT_TRUE(std::regex_search(field, w, width)) << "no width: " << field;
        if (w.empty()) continue;
        const int count = !w[1].matched ? 1 : w[1] == "n" ? n : std::stoi(w[1].str());
        total += static_cast<size_t>(count * std::stoi(w[2].str()) / 8);
      }
      return total;
    };
    for (const std::string& field : Fields(m[4].str())) {
      std::smatch g;
      if (std::regex_match(field, g, group))
        size += static_cast<size_t>(g[1] == "n" ? n : std::stoi(g[1].str())) * bytesOf(g[2].str());
      else
        size += bytesOf(field);
    }
    EXPECT_EQ(bytes.size(), size) << line;
  }
  EXPECT_EQ(rows, std::variant_size_v<NetMessage>) << "a kind of message is missing from the table";
}

TEST(Lockstep, AFrameWaitsForBothSidesAndALostMessageIsMadeGoodByTheNext) {
  Lockstep host(0, 2), guest(1, 2);
  // The other side's frames, zeros up to its delay, come with its inputs like any other.
  EXPECT_FALSE(host.Ready(1));
  host.AddLocal(1, 5);  // counts for frame 3
  guest.AddLocal(1, 9);
  guest.AddLocal(2, 10);  // frame 4
  const NetInputs lost = guest.Outgoing(0);
  (void)lost;             // never arrives
  guest.AddLocal(3, 11);  // frame 5
  // Unknown, the guest's keys are predicted as its last known: none yet.
  EXPECT_EQ(host.RemoteKeys(5), 0);
  host.Receive(guest.Outgoing(0));  // repeats frames 1 to 4 besides 5
  ASSERT_TRUE(host.Ready(3));
  EXPECT_EQ(host.Input(2, 1), 0);
  EXPECT_EQ(host.Input(3, 0), 5);
  EXPECT_EQ(host.Input(3, 1), 9);
  EXPECT_FALSE(host.Ready(4));  // the host's own input for frame 4 is not read yet
  host.AddLocal(2, 6);
  EXPECT_EQ(host.Input(4, 1), 10);
  // Past what came, the latest keys go on (without the pause and give-up bits).
  EXPECT_EQ(host.RemoteKeys(9), 11);
  // Once the host confirms, the guest sends only what is new (plus its latest).
  guest.Receive(host.Outgoing(0));
  const NetInputs next = guest.Outgoing(0);
  EXPECT_EQ(next.first, 5u);
  EXPECT_EQ(next.inputs.size(), 1u);
}

}  // namespace
