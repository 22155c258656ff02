// Contact sheets for looking at the results: every picture on one sheet, and every
// fighter row enlarged three times, cut through its mask over a checkerboard.
#pragma once

#include <string>

#include "sheets.h"

void WriteContactSheets(const ArtBook& book, const std::string& dir, const Sheet& char2, const Sheet& char0,
                        const Image& screen, const Sheet& moji, const Image& reporter, const Image& messageMask);
