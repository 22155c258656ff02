// Minimal RIFF/WAVE reader for checking the built effects and offline renders.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

struct WavFile {
  int formatTag = 0;  // 1 = PCM
  int channels = 0;
  int sampleRate = 0;
  int bitsPerSample = 0;
  std::vector<int16_t> samples;  // interleaved, only filled for 16-bit PCM

  size_t frames() const { return channels ? samples.size() / size_t(channels) : 0; }
  double seconds() const { return sampleRate ? double(frames()) / sampleRate : 0; }
};

// Throws std::runtime_error with the reason when the file is missing or malformed.
WavFile readWav(const std::string& path);

// Level helpers on full-scale 16-bit samples; every result is in dBFS (-inf for silence).
double peakDb(const WavFile& w);
// RMS of the loudest window (all channels): 50 ms is the measure the effects are levelled
// by, 3 s the one the tunes are.
double loudestWindowDb(const WavFile& w, double seconds = 0.05);
// RMS over frames [first, last).
double rmsDb(const WavFile& w, size_t first, size_t last);
// Index of the first and one past the last frame louder than thresholdDb ({0,0} if none).
std::pair<size_t, size_t> soundingSpan(const WavFile& w, double thresholdDb);
