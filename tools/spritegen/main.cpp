// Sprite generator: builds the game's sprite sheets, masks, glyphs and small parts
// from the pixel-art texts in assets/sprites, and optionally contact sheets.
//
// usage: spritegen SOURCE_DIR OUT_DIR [CONTACT_DIR]
#include <filesystem>
#include <iostream>
#include <string>

#include "contact.h"
#include "sheets.h"

int main(int argc, char** argv) {
  if (argc < 3 || argc > 4) {
    std::cerr << "usage: spritegen SOURCE_DIR OUT_DIR [CONTACT_DIR]\n";
    return 2;
  }
  const std::filesystem::path src = argv[1], out = argv[2];
  try {
    ArtBook book;
    for (const char* file : {"font.txt", "fighters.txt", "characters.txt", "reporter.txt"})
      book.Load((src / file).string());
    std::filesystem::create_directories(out);
    auto save = [&](const Image& img, const std::string& name) { img.SavePng((out / (name + ".png")).string()); };

    Sheet char2 = BuildChar2(book);
    save(char2.picture, "char2");
    save(char2.mask, "mask2");
    Sheet char0 = BuildChar0(book);
    save(char0.picture, "char0");
    save(char0.mask, "mask0");
    Image screen = BuildScreen(book);
    save(screen, "screen");
    Sheet moji = BuildMoji(book);
    save(moji.picture, "moji");
    save(moji.mask, "mojimask");
    Image reporter = BuildReporter(book);
    save(reporter, "REPORTER");
    Image messageMask = BuildMessageMask();
    save(messageMask, "MessageMask");

    if (argc == 4) {
      std::filesystem::create_directories(argv[3]);
      WriteContactSheets(book, argv[3], char2, char0, screen, moji, reporter, messageMask);
    }
  } catch (const std::exception& e) {
    std::cerr << "spritegen: " << e.what() << "\n";
    return 1;
  }
  return 0;
}
