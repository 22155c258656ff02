// platform/ui/help: Japanese line breaking (kinsoku) with latin words kept whole.
#include "platform/ui/help/LineBreak.h"

namespace platform {

namespace {

// Characters that may not begin a line.
constexpr std::u32string_view kNoLineStart =
    U"、。，．・：；？！゛゜ヽヾゝゞ々ー―～…‥）］｝」』】〕〉》〙〗〟’”"
    U"ぁぃぅぇぉっゃゅょゎゕゖァィゥェォッャュョヮヵヶ！？：；，．）｝］"
    U",.!?:;)]}%";
// Characters that may not end a line.
constexpr std::u32string_view kNoLineEnd = U"（［｛「『【〔〈《〘〖〝‘“([{";

bool In(std::u32string_view set, char32_t c) { return set.find(c) != std::u32string_view::npos; }

struct Piece {
  std::string text;
  bool space = false;
  bool ascii = false;  // part of a latin word
};

char32_t LastChar(const std::string& t) {
  size_t at = t.size() - 1;
  while (at > 0 && (static_cast<unsigned char>(t[at]) & 0xC0) == 0x80) --at;
  size_t len = 0;
  return DecodeUtf8(t, at, &len);
}

// Latin words, single Japanese characters and runs of spaces, with the kinsoku characters
// glued to the piece they must stay with.
std::vector<Piece> Pieces(std::string_view para) {
  std::vector<Piece> raw;
  for (size_t i = 0; i < para.size();) {
    size_t len = 0;
    const char32_t c = DecodeUtf8(para, i, &len);
    const std::string ch(para.substr(i, len));
    i += len;
    const bool space = c == U' ' || c == U'\t';
    const bool ascii = c < 0x80 && !space;
    if (!raw.empty() && ((space && raw.back().space) || (ascii && raw.back().ascii))) {
      raw.back().text += ch;
      continue;
    }
    raw.push_back({ch, space, ascii});
  }
  std::vector<Piece> out;
  bool glueNext = false;
  for (Piece& p : raw) {
    size_t len = 0;
    const bool glue =
        !out.empty() && !p.space && !out.back().space && (glueNext || In(kNoLineStart, DecodeUtf8(p.text, 0, &len)));
    if (glue) {
      out.back().text += p.text;
      out.back().ascii = false;
    } else {
      out.push_back(std::move(p));
    }
    glueNext = !out.back().space && In(kNoLineEnd, LastChar(out.back().text));
  }
  return out;
}

void BreakParagraph(std::string_view para, float maxWidth, const TextWidthFn& width, std::vector<std::string>& out) {
  std::string line;
  float lineW = 0;
  std::string gap;  // spaces waiting for a word after them on the same line
  auto flush = [&] {
    out.push_back(line);
    line.clear();
    lineW = 0;
    gap.clear();
  };
  const std::vector<Piece> pieces = Pieces(para);
  for (size_t i = 0; i < pieces.size(); ++i) {
    const Piece& p = pieces[i];
    if (p.space) {
      // Spaces that open the paragraph indent it; spaces at a break are dropped.
      if (i == 0) {
        line = p.text;
        lineW = width(p.text);
      } else if (!line.empty()) {
        gap += p.text;
      }
      continue;
    }
    const float w = width(gap + p.text);
    if (lineW + w <= maxWidth) {
      line += gap + p.text;
      lineW += w;
      gap.clear();
      continue;
    }
    if (!line.empty()) flush();
    gap.clear();
    const float alone = width(p.text);
    if (alone <= maxWidth) {
      line = p.text;
      lineW = alone;
      continue;
    }
    // Wider than a whole line: cut between characters.
    for (size_t k = 0; k < p.text.size();) {
      size_t len = 0;
      DecodeUtf8(p.text, k, &len);
      const std::string ch = p.text.substr(k, len);
      k += len;
      const float cw = width(ch);
      if (!line.empty() && lineW + cw > maxWidth) flush();
      line += ch;
      lineW += cw;
    }
  }
  out.push_back(line);
}

}  // namespace

char32_t DecodeUtf8(std::string_view s, size_t pos, size_t* length) {
  const auto byte = [&](size_t k) { return static_cast<unsigned char>(s[pos + k]); };
  const unsigned char b0 = byte(0);
  size_t n = b0 < 0x80 ? 1 : (b0 >> 5) == 0x6 ? 2 : (b0 >> 4) == 0xE ? 3 : (b0 >> 3) == 0x1E ? 4 : 0;
  if (n == 0 || pos + n > s.size()) {
    *length = 1;
    return 0xFFFD;
  }
  char32_t c = n == 1 ? b0 : n == 2 ? (b0 & 0x1F) : n == 3 ? (b0 & 0x0F) : (b0 & 0x07);
  for (size_t k = 1; k < n; ++k) {
    if ((byte(k) & 0xC0) != 0x80) {
      *length = 1;
      return 0xFFFD;
    }
    c = (c << 6) | (byte(k) & 0x3F);
  }
  *length = n;
  return c;
}

std::vector<std::string> BreakLines(std::string_view text, float maxWidth, const TextWidthFn& width) {
  std::vector<std::string> lines;
  size_t start = 0;
  for (;;) {
    size_t end = text.find('\n', start);
    std::string_view para = text.substr(start, end == std::string_view::npos ? std::string_view::npos : end - start);
    if (!para.empty() && para.back() == '\r') para.remove_suffix(1);
    std::vector<std::string> broken;
    BreakParagraph(para, maxWidth, width, broken);
    lines.insert(lines.end(), broken.begin(), broken.end());
    if (end == std::string_view::npos) break;
    start = end + 1;
  }
  return lines;
}

}  // namespace platform
