// hexfile: writes the bytes of an annotated hex listing to a binary file.
// The listing holds pairs of hex digits separated by white space; "#" starts a comment
// that runs to the end of the line. Used for small binary media such as the MIDI reset file.
#include <cctype>
#include <cstdio>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

int main(int argc, char** argv) {
  if (argc != 3) {
    std::cerr << "usage: hexfile LISTING OUTPUT\n";
    return 2;
  }
  std::ifstream in(argv[1]);
  if (!in) {
    std::cerr << "hexfile: cannot read " << argv[1] << "\n";
    return 1;
  }
  std::vector<unsigned char> bytes;
  std::string line;
  for (int lineNo = 1; std::getline(in, line); ++lineNo) {
    line = line.substr(0, line.find('#'));
    std::istringstream words(line);
    std::string word;
    while (words >> word) {
      if (word.size() != 2 || !std::isxdigit(static_cast<unsigned char>(word[0])) ||
          !std::isxdigit(static_cast<unsigned char>(word[1]))) {
        std::cerr << argv[1] << ":" << lineNo << ": not a hex byte: " << word << "\n";
        return 1;
      }
      bytes.push_back(static_cast<unsigned char>(std::stoi(word, nullptr, 16)));
    }
  }
  std::ofstream out(argv[2], std::ios::binary);
  out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  if (!out) {
    std::cerr << "hexfile: cannot write " << argv[2] << "\n";
    return 1;
  }
  return 0;
}
