// The numbers behind the editors' curves: the EQ's response, the
// compressor's transfer line and the delay's repeats. Standard C++ only, so
// that what a curve shows can be checked without drawing it.
#pragma once

#include <span>
#include <vector>

// One peaking band: centre frequency in Hz, gain in dB, width in octaves.
struct EqBand {
  double hz;
  double gainDb;
  double octaves;
};

// The gain in dB of the bands in series at hz (a second-order peaking filter
// per band at 48 kHz).
double EqResponseDb(std::span<const EqBand> bands, double hz);

// ratio: 1 for none, infinity for a limiter. Below the threshold the signal
// passes; above it rises by 1/ratio dB a dB; gainDb is added to all of it.
double CompressorOutputDb(double inDb, double thresholdDb, double ratio, double gainDb);

struct DelayTap {
  double ms;     // from the dry note
  double level;  // 1 for the first repeat
  int voice;     // 0 the first time, 1 the second
};

// One delay line: its time in ms (0 or less: no repeats), feedback 0..1.
struct DelayVoice {
  double ms;
  double feedback;
};

// The repeats of each voice, from the first until they fall below
// kFaintestTap or pass untilMs; sorted by time.
inline constexpr double kFaintestTap = 0.05;
std::vector<DelayTap> DelayTaps(std::span<const DelayVoice> voices, double untilMs);
