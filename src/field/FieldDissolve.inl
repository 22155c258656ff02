// field: the visiting order of the block dissolves (included by Field.h).
#pragma once

inline int DissolveBlockSize(int width, int height, bool paced) {
  return paced && static_cast<int64_t>(width) * height > 65535 ? 8 : 4;
}

// 100000007 is prime, so stepping by it modulo N meets every block once for any N it
// does not divide. visit(column, row, p) gets the step's position p too (for pacing).
template <class Visit>
void ForEachDissolveBlock(int width, int height, bool paced, Visit&& visit) {
  if (width <= 0 || height <= 0) return;
  const int64_t b = DissolveBlockSize(width, height, paced);
  const int64_t columns = (width + b - 1) / b, rows = (height + b - 1) / b;
  const int64_t n = columns * rows;
  int64_t p = 0;
  for (int64_t i = 0; i < n; ++i) {
    p = (p + 100000007) % n;
    visit(static_cast<int>(p % columns), static_cast<int>(p / columns), p);
  }
}
