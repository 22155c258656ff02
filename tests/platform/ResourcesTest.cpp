// Built-in pictures, Shift-JIS conversion, the single-instance lock and the script reader.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include "platform/files/Files.h"
#include "platform/Pictures.h"
#include "platform/Text.h"
#include "platform/headless/HeadlessControl.h"
#include "platform/headless/HeadlessScript.h"
#include "support/Headless.h"

TEST(Pictures, AreFoundByNameWithoutRegardToCaseAtTheirSizes) {
  testing_support::HeadlessPlatform headless;
  platform::Bitmap a, b;
  ASSERT_TRUE(platform::LoadPicture("char2", a));
  ASSERT_TRUE(platform::LoadPicture("CHAR2", b));
  EXPECT_EQ(a.Width(), 640);
  EXPECT_EQ(a.Height(), 1152);
  EXPECT_EQ(b.Width(), 640);
  for (const auto& p : platform::ListPictures()) {
    platform::Bitmap pic;
    ASSERT_TRUE(platform::LoadPicture(p.name, pic)) << p.name;
    EXPECT_EQ(pic.Width(), p.width) << p.name;
    EXPECT_EQ(pic.Height(), p.height) << p.name;
  }
}

TEST(Pictures, AnUnknownNameIsAClearMessageAndAnEmptyPicture) {
  testing_support::HeadlessPlatform headless;
  platform::Bitmap pic(5, 5);
  EXPECT_FALSE(platform::LoadPicture("NoSuchPicture", pic));
  EXPECT_EQ(pic.Width(), 0);
  ASSERT_EQ(platform::headless::Messages().size(), 1u);
  EXPECT_NE(platform::headless::Messages()[0].find("NoSuchPicture"), std::string::npos);
  pic.GetCanvas().FillRect({0, 0, 10, 10});  // drawing on it is harmless
}

TEST(ShiftJis, RoundTripsGameTextsAndKeepsTheBytesTheRulesLookAt) {
  std::string s = platform::Utf8ToSjis("「ドラＧ」･");
  ASSERT_GE(s.size(), 3u);
  EXPECT_EQ(static_cast<unsigned char>(s[0]), 0x81);  // 「 is 0x81 0x75
  EXPECT_EQ(static_cast<unsigned char>(s[1]), 0x75);
  EXPECT_EQ(static_cast<unsigned char>(s.back()), 0xA5);  // half-width middle dot: one byte
  EXPECT_TRUE(platform::IsSjisLeadByte(static_cast<unsigned char>(s[0])));
  EXPECT_FALSE(platform::IsSjisLeadByte(0xA5));
  EXPECT_EQ(platform::SjisToUtf8(s), "「ドラＧ」･");
  EXPECT_EQ(platform::Utf8ToSjis("\\"), "\\");                          // code page 932 keeps the backslash
  EXPECT_EQ(platform::SjisToUtf8(std::string("\x82", 1)).back(), '?');  // a cut character
}

TEST(InstanceLock, ASecondProcessIsRefusedWhileTheFirstHoldsIt) {
  using platform::LockResult;
  const std::string dir = testing_support::FreshDir("lock") + "/";
  ASSERT_EQ(platform::AcquireInstanceLock(dir + "bramko-lock-test"), LockResult::Acquired);
  pid_t child = fork();
  if (child == 0) _exit(static_cast<int>(platform::AcquireInstanceLock(dir + "bramko-lock-test")));
  int status = 0;
  waitpid(child, &status, 0);
  EXPECT_EQ(WEXITSTATUS(status), static_cast<int>(LockResult::HeldByAnother)) << "the second process got the lock";
  pid_t other = fork();
  if (other == 0) _exit(static_cast<int>(platform::AcquireInstanceLock(dir + "another-name")));
  waitpid(other, &status, 0);
  EXPECT_EQ(WEXITSTATUS(status), static_cast<int>(LockResult::Acquired)) << "a lock of another name must be free";
  // A folder where no lock can be made is told apart from a lock that is taken.
  EXPECT_EQ(platform::AcquireInstanceLock(dir + "missing/lock"), LockResult::Unavailable);
}

TEST(HeadlessScript, ReadsEveryEventKindAndRejectsBadLines) {
  using platform::headless::ParseScript;
  std::vector<platform::headless::ScriptEvent> ev;
  std::string err;
  ASSERT_TRUE(
      ParseScript("# comment\n500 tap SPACE\n100 down 0x25  # left\n200 shot a.png\n300 focus off\n"
                  "400 close\n",
                  ev, &err))
      << err;
  ASSERT_EQ(ev.size(), 6u);
  EXPECT_EQ(ev[0].ms, 100);
  EXPECT_EQ(ev[0].vk, 0x25);
  EXPECT_EQ(ev[4].kind, "down");  // the tap: down at 500, up at 560
  EXPECT_EQ(ev[4].vk, 0x20);
  EXPECT_EQ(ev[5].kind, "up");
  EXPECT_EQ(ev[5].ms, 560);
  for (const char* bad : {"12 jump\n", "x down A\n", "10 down NOSUCHKEY\n", "10 focus maybe\n", "-5 close\n"}) {
    ev.clear();
    EXPECT_FALSE(ParseScript(bad, ev, &err)) << bad;
    EXPECT_NE(err.find("line 1"), std::string::npos);
  }
}
