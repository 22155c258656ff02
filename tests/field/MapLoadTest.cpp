// Arena maps: the file format, refusals that change nothing, hostile files, the shipped maps.
#include <gtest/gtest.h>

#include <fstream>
#include <set>
#include <string>

#include "field/Fieldxchip.h"
#include "support/Headless.h"

namespace {

using platform::Bitmap;
using platform::Rgb;

struct MapLoad : ::testing::Test {
  Bitmap screen{640, 480};
  LFieldXChip field{screen.GetCanvas(), 16};
  std::string dir = testing_support::FreshDir("maps");

  std::string Write(const std::string& name, const std::string& bytes) {
    const std::string path = dir + "/" + name;
    std::ofstream(path, std::ios::binary) << bytes;
    return path;
  }
  // The map as rows of numbers, for comparisons.
  std::string Dump() const {
    std::string out;
    for (int r = 0; r < field.GetRows(); ++r) {
      for (int c = 0; c < field.GetColumns(); ++c) out += (c ? "," : "") + std::to_string(field.ChipAt(c, r));
      out += "/";
    }
    return out;
  }
};

TEST_F(MapLoad, ReadsTheFormatAsWritten) {
  ASSERT_EQ(field.LoadMap(Write("a.txt", "0,0,1,1\n2,3,0,1\n1,1,1,1\n")), 0);
  EXPECT_EQ(field.GetWidth(), 64);
  EXPECT_EQ(field.GetHeight(), 48);
  EXPECT_EQ(Dump(), "0,0,1,1/2,3,0,1/1,1,1,1/");

  // Blanks and commas both separate, blanks around a comma belong to it, quotes, CR LF,
  // a missing last line break.
  ASSERT_EQ(field.LoadMap(Write("b.txt", "  1 ,2\t3 , \"4\"\r\n\"5\",6 7,8\r\n9")), 0);
  EXPECT_EQ(Dump(), "1,2,3,4/5,6,7,8/9,0,0,0/");

  // Short rows fill only their own fields, long rows drop the rest (even if not numbers).
  ASSERT_EQ(field.LoadMap(Write("c.txt", "1,1,1\n2\n3,3,3,3,x,y\n\n")), 0);
  EXPECT_EQ(field.GetRows(), 4);
  EXPECT_EQ(Dump(), "1,1,1/2,0,0/3,3,3/0,0,0/");

  // Values are kept as signed 8-bit numbers.
  ASSERT_EQ(field.LoadMap(Write("d.txt", "300,-1,127,128,-129,+5,0007,-2147483648,2147483647\n")), 0);
  EXPECT_EQ(Dump(), "44,-1,127,-128,127,5,7,0,-1/");
}

TEST_F(MapLoad, RefusalsChangeNothing) {
  ASSERT_EQ(field.LoadMap(Write("good.txt", "0,1\n2,3\n")), 0);
  const std::string before = Dump();
  const std::string refused[] = {
      "",                // empty file
      "1,,2\n",          // empty field between commas
      "1,2,\n",          // a comma at the end gives an empty last field
      "1,a\n",           // a letter
      "1,2\n3,x\n",      // a bad field in a later row
      "1,2\n3,1.5\n",    // not whole
      "1,2147483648\n",  // past 32 bits
      "1,-99999999999999999999\n",
      "\n1,2\n",   // a first line without fields
      "1,\"\"\n",  // an empty quoted field
  };
  for (const std::string& text : refused) {
    SCOPED_TRACE(text);
    EXPECT_EQ(field.LoadMap(Write("bad.txt", text)), 1);
    EXPECT_EQ(Dump(), before);
    EXPECT_EQ(field.GetWidth(), 32);
    EXPECT_EQ(field.GetHeight(), 32);
  }
  EXPECT_EQ(field.LoadMap(dir + "/no such map.txt"), 1);
  EXPECT_EQ(field.LoadMap(dir), 1);  // a folder is no map file
  EXPECT_EQ(Dump(), before);
}

TEST_F(MapLoad, HostileFilesLoadWithinTheRulesOrAreRefused) {
  // Binary garbage: no whole numbers in it.
  std::string garbage;
  uint32_t state = 12345;
  for (int i = 0; i < 65536; ++i) {
    state = state * 22695477 + 1;
    garbage += static_cast<char>(state >> 24);
  }
  EXPECT_EQ(field.LoadMap(Write("garbage.txt", garbage)), 1);
  EXPECT_EQ(field.GetWidth(), 0);

  // A NUL ends a line: what follows it on that line is not read.
  ASSERT_EQ(field.LoadMap(Write("nul.txt", std::string("1,2\n3\0zz,q\n", 11))), 0);
  EXPECT_EQ(Dump(), "1,2/3,0/");

  // 10,000 columns.
  std::string wide;
  for (int c = 0; c < 10000; ++c) wide += (c ? "," : "") + std::to_string(c % 4);
  ASSERT_EQ(field.LoadMap(Write("wide.txt", wide + "\n" + wide + "\n")), 0);
  EXPECT_EQ(field.GetColumns(), 10000);
  EXPECT_EQ(field.GetWidth(), 160000);
  EXPECT_EQ(field.ChipAt(9999, 1), 3);
  field.RedrawAll();  // draws its visible corner onto the screen without trouble

  // Lines of 1 MB: one of numbers, one of a single endless number, one of blanks.
  std::string longNumbers;
  while (longNumbers.size() < (1 << 20)) longNumbers += "-1 ";
  ASSERT_EQ(field.LoadMap(Write("long.txt", "7,7\n" + longNumbers + "\n")), 0);
  EXPECT_EQ(Dump(), "7,7/-1,-1/");
  EXPECT_EQ(field.LoadMap(Write("digits.txt", "1\n" + std::string(1 << 20, '9') + "\n")), 1);
  ASSERT_EQ(field.LoadMap(Write("blanks.txt", "5\n" + std::string(1 << 20, ' ') + "\n")), 0);
  EXPECT_EQ(Dump(), "5/0/");

  // A first line of a million numbers is more map than any arena: refused.
  std::string huge;
  huge.reserve(4 << 20);
  for (int i = 0; i < 2000000; ++i) huge += "0,";
  huge += "0\n";
  for (int r = 0; r < 3; ++r) huge += "0\n";
  EXPECT_EQ(field.LoadMap(Write("huge.txt", huge)), 1);
  EXPECT_EQ(Dump(), "5/0/");

  // An unterminated quote runs to the end of its line.
  ASSERT_EQ(field.LoadMap(Write("quote.txt", "\"12,3\n4,5\n")), 1);  // "12,3" is no number
  ASSERT_EQ(field.LoadMap(Write("quote2.txt", "\"12\n4,5\n")), 0);
  EXPECT_EQ(Dump(), "12/4/");
}

TEST_F(MapLoad, ChipsAreDrawnFromTheSheetAndUnknownChipsShowBlack) {
  Bitmap& sheet = field.ChipSheet();
  sheet.SetSize(64, 16);
  const platform::Color colours[4] = {Rgb(10, 0, 0), Rgb(0, 20, 0), Rgb(0, 0, 30), Rgb(40, 40, 0)};
  for (int n = 0; n < 4; ++n) {
    sheet.GetCanvas().brush = platform::Brush{colours[n]};
    sheet.GetCanvas().FillRect({16 * n, 0, 16 * n + 16, 16});
  }
  sheet.GetCanvas().SetPixel(16 * 2 + 9, 3, Rgb(1, 1, 1));  // a mark inside chip 2
  field.SetOrigin(24, 136);
  ASSERT_EQ(field.LoadMap(Write("m.txt", "0,1,2,3\n3,-1,4,-128\n")), 0);
  screen.GetCanvas().brush = platform::Brush{platform::kWhite};
  screen.GetCanvas().FillRect({0, 0, 640, 480});
  field.RedrawAll();
  for (int n = 0; n < 4; ++n) EXPECT_EQ(screen.Pixel(24 + 16 * n + 1, 136 + 1), colours[n]) << n;
  EXPECT_EQ(screen.Pixel(24 + 32 + 9, 136 + 3), Rgb(1, 1, 1));
  EXPECT_EQ(screen.Pixel(24 + 1, 136 + 17), colours[3]);
  EXPECT_EQ(screen.Pixel(24 + 17, 136 + 17), platform::kBlack);  // -1
  EXPECT_EQ(screen.Pixel(24 + 33, 136 + 17), platform::kBlack);  // 4: past the sheet
  EXPECT_EQ(screen.Pixel(24 + 63, 136 + 31), platform::kBlack);  // -128
  EXPECT_EQ(screen.Pixel(24 + 64, 136), platform::kWhite);
}

TEST(ShippedMaps, ThreeArenasOf37By20ChipsEachItsOwnLook) {
  Bitmap screen(640, 480);
  std::set<std::string> looks;
  for (const char* name : {"map1.txt", "map2.txt", "map3.txt"}) {
    SCOPED_TRACE(name);
    LFieldXChip arena(screen.GetCanvas(), 16);
    ASSERT_EQ(arena.LoadMap(std::string(BRAMKO_RUNTIME_DIR) + "/" + name), 0);
    EXPECT_EQ(arena.GetColumns(), 37);
    EXPECT_EQ(arena.GetRows(), 20);
    EXPECT_EQ(arena.GetWidth(), 592);
    EXPECT_EQ(arena.GetHeight(), 320);
    std::string look;
    std::set<int> used;
    for (int r = 0; r < 20; ++r)
      for (int c = 0; c < 37; ++c) {
        const int n = arena.ChipAt(c, r);
        EXPECT_TRUE(n >= 0 && n <= 3) << c << "," << r;
        used.insert(n);
        look += static_cast<char>('0' + n);
      }
    EXPECT_GE(used.size(), 3u);
    looks.insert(look);
  }
  EXPECT_EQ(looks.size(), 3u);
}

}  // namespace
