// fuzz: what every target needs: the input as a string, and a check that stops the run
// with a message when a reader breaks its own promise.
#pragma once
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

inline std::string FuzzText(const uint8_t* data, size_t size) {
  return std::string(reinterpret_cast<const char*>(data), size);
}

#define FUZZ_CHECK(cond)                                                      \
  do {                                                                        \
    if (!(cond)) {                                                            \
      std::fprintf(stderr, "%s:%d: broken promise: %s\n", __FILE__, __LINE__, #cond); \
      std::abort();                                                           \
    }                                                                         \
  } while (0)
