#include "WavFile.h"

#include <algorithm>
#include <cmath>
#include <fstream>
#include <iterator>
#include <limits>
#include <stdexcept>

namespace {

uint32_t le32(const std::vector<unsigned char>& b, size_t at) {
  return uint32_t(b[at]) | uint32_t(b[at + 1]) << 8 | uint32_t(b[at + 2]) << 16 | uint32_t(b[at + 3]) << 24;
}
uint16_t le16(const std::vector<unsigned char>& b, size_t at) { return uint16_t(b[at] | b[at + 1] << 8); }

double toDb(double amplitude) {
  return amplitude > 0 ? 20.0 * std::log10(amplitude) : -std::numeric_limits<double>::infinity();
}

}  // namespace

WavFile readWav(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) throw std::runtime_error("cannot open " + path);
  std::vector<unsigned char> b((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  if (b.size() < 12 || std::string(b.begin(), b.begin() + 4) != "RIFF" ||
      std::string(b.begin() + 8, b.begin() + 12) != "WAVE")
    throw std::runtime_error(path + ": not a RIFF/WAVE file");
  WavFile w;
  bool haveFormat = false, haveData = false;
  for (size_t at = 12; at + 8 <= b.size();) {
    const std::string id(b.begin() + long(at), b.begin() + long(at) + 4);
    const size_t size = le32(b, at + 4);
    const size_t body = at + 8;
    if (body + size > b.size()) throw std::runtime_error(path + ": chunk " + id + " runs past the end");
    if (id == "fmt ") {
      if (size < 16) throw std::runtime_error(path + ": short fmt chunk");
      w.formatTag = le16(b, body);
      w.channels = le16(b, body + 2);
      w.sampleRate = int(le32(b, body + 4));
      w.bitsPerSample = le16(b, body + 14);
      haveFormat = true;
    } else if (id == "data") {
      if (!haveFormat) throw std::runtime_error(path + ": data before fmt");
      if (w.formatTag == 1 && w.bitsPerSample == 16) {
        w.samples.resize(size / 2);
        for (size_t i = 0; i < w.samples.size(); ++i) w.samples[i] = int16_t(le16(b, body + 2 * i));
      }
      haveData = true;
    }
    at = body + size + (size & 1);
  }
  if (!haveFormat || !haveData) throw std::runtime_error(path + ": missing fmt or data chunk");
  if (w.channels < 1 || w.sampleRate < 1) throw std::runtime_error(path + ": bad format values");
  return w;
}

double peakDb(const WavFile& w) {
  int peak = 0;
  for (int16_t s : w.samples) peak = std::max(peak, std::abs(int(s)));
  return toDb(peak / 32768.0);
}

double loudestWindowDb(const WavFile& w, double seconds) {
  const size_t ch = size_t(w.channels), frames = w.frames();
  const size_t window = std::max<size_t>(1, size_t(w.sampleRate * seconds));
  auto energy = [&](size_t f) {
    double e = 0;
    for (size_t c = 0; c < ch; ++c) e += double(w.samples[f * ch + c]) * w.samples[f * ch + c];
    return e / double(ch);
  };
  double sum = 0, best = 0;
  for (size_t f = 0; f < frames; ++f) {
    sum += energy(f);
    if (f >= window) sum -= energy(f - window);
    if (f + 1 >= window || f + 1 == frames) best = std::max(best, sum);
  }
  return toDb(std::sqrt(std::max(0.0, best) / double(window)) / 32768.0);
}

double rmsDb(const WavFile& w, size_t first, size_t last) {
  const size_t ch = size_t(w.channels);
  last = std::min(last, w.frames());
  if (first >= last) return toDb(0);
  double sum = 0;
  for (size_t i = first * ch; i < last * ch; ++i) sum += double(w.samples[i]) * w.samples[i];
  return toDb(std::sqrt(sum / double((last - first) * ch)) / 32768.0);
}

std::pair<size_t, size_t> soundingSpan(const WavFile& w, double thresholdDb) {
  const int threshold = int(32768.0 * std::pow(10.0, thresholdDb / 20.0));
  const size_t ch = size_t(w.channels);
  size_t first = w.frames(), last = 0;
  for (size_t i = 0; i < w.samples.size(); ++i) {
    if (std::abs(int(w.samples[i])) > threshold) {
      first = std::min(first, i / ch);
      last = i / ch + 1;
    }
  }
  return first < last ? std::make_pair(first, last) : std::make_pair(size_t(0), size_t(0));
}
