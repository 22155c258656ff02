// fxlevel: levels one sound effect and writes it as a 16-bit PCM WAV file.
//   fxlevel IN.f32 OUT.wav RATE TARGET_DB CEILING_DB
// IN is raw little-endian 32-bit float mono. The gain brings the loudest 50 ms window
// (RMS) to TARGET_DB, unless that would push a sample peak over CEILING_DB, so that
// every effect sounds about equally loud whatever its shape. The last 10 ms fade to zero, so
// an effect cut off mid-wave does not end on a click.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <numbers>
#include <vector>

namespace {

double loudestWindowRms(const std::vector<float>& s, int rate) {
  const size_t window = std::max<size_t>(1, static_cast<size_t>(rate) / 20);
  if (s.size() <= window) {
    double sum = 0;
    for (float v : s) sum += double(v) * v;
    return s.empty() ? 0 : std::sqrt(sum / double(window));
  }
  double sum = 0, best = 0;
  for (size_t i = 0; i < s.size(); ++i) {
    sum += double(s[i]) * s[i];
    if (i >= window) sum -= double(s[i - window]) * s[i - window];
    if (i + 1 >= window) best = std::max(best, sum);
  }
  return std::sqrt(std::max(0.0, best) / double(window));
}

void put16(std::ofstream& o, uint16_t v) { o.put(char(v & 0xff)).put(char(v >> 8)); }
void put32(std::ofstream& o, uint32_t v) {
  put16(o, uint16_t(v & 0xffff));
  put16(o, uint16_t(v >> 16));
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 6) {
    std::cerr << "usage: fxlevel IN.f32 OUT.wav RATE TARGET_DB CEILING_DB\n";
    return 2;
  }
  const int rate = std::atoi(argv[3]);
  const double target = std::pow(10.0, std::atof(argv[4]) / 20.0);
  const double ceiling = std::pow(10.0, std::atof(argv[5]) / 20.0);

  std::ifstream in(argv[1], std::ios::binary);
  std::vector<float> s;
  for (float v; in.read(reinterpret_cast<char*>(&v), sizeof v);) s.push_back(v);
  double peak = 0;
  for (float v : s) peak = std::max(peak, double(std::fabs(v)));
  const double rms = loudestWindowRms(s, rate);
  if (s.empty() || peak <= 0 || rms <= 0) {
    std::cerr << "fxlevel: " << argv[1] << " is silent\n";
    return 1;
  }
  const double gain = std::min(target / rms, ceiling / peak);
  const size_t fade = std::min(s.size(), static_cast<size_t>(rate) / 100);
  for (size_t i = 0; i < fade; ++i)  // raised cosine, 1 down to exactly 0 on the last sample
    s[s.size() - 1 - i] *= float(0.5 - 0.5 * std::cos(std::numbers::pi * double(i) / double(fade)));

  std::ofstream out(argv[2], std::ios::binary);
  const uint32_t dataBytes = uint32_t(s.size() * 2);
  out.write("RIFF", 4);
  put32(out, 36 + dataBytes);
  out.write("WAVE", 4);
  out.write("fmt ", 4);
  put32(out, 16);
  put16(out, 1);
  put16(out, 1);
  put32(out, uint32_t(rate));
  put32(out, uint32_t(rate * 2));
  put16(out, 2);
  put16(out, 16);
  out.write("data", 4);
  put32(out, dataBytes);
  for (float v : s) {
    const double x = std::clamp(std::lround(v * gain * 32767.0), -32768L, 32767L);
    put16(out, uint16_t(int16_t(x)));
  }
  if (!out) {
    std::cerr << "fxlevel: cannot write " << argv[2] << "\n";
    return 1;
  }
  return 0;
}
