#include "ResponseCurves.h"

#include <algorithm>
#include <cmath>
#include <complex>
#include <limits>
#include <numbers>

namespace {

constexpr double kSampleRate = 48000.0;

// The magnitude in dB of a peaking biquad (the audio cookbook's form) at hz.
double BandDb(const EqBand& band, double hz) {
  if (band.gainDb == 0.0 || band.hz <= 0.0 || band.octaves <= 0.0) return 0.0;
  const double a = std::pow(10.0, band.gainDb / 40.0);
  const double w0 = 2.0 * std::numbers::pi * std::min(band.hz, kSampleRate * 0.49) / kSampleRate;
  const double alpha = std::sin(w0) * std::sinh(std::log(2.0) / 2.0 * band.octaves * w0 / std::sin(w0));
  const double cosW0 = std::cos(w0);
  const std::complex<double> z1 = std::polar(1.0, -2.0 * std::numbers::pi * hz / kSampleRate);
  const std::complex<double> z2 = z1 * z1;
  const std::complex<double> num = (1.0 + alpha * a) - 2.0 * cosW0 * z1 + (1.0 - alpha * a) * z2;
  const std::complex<double> den = (1.0 + alpha / a) - 2.0 * cosW0 * z1 + (1.0 - alpha / a) * z2;
  return 20.0 * std::log10(std::abs(num) / std::abs(den));
}

}  // namespace

double EqResponseDb(std::span<const EqBand> bands, double hz) {
  double db = 0.0;
  for (const EqBand& band : bands) db += BandDb(band, hz);
  return db;
}

double CompressorOutputDb(double inDb, double thresholdDb, double ratio, double gainDb) {
  const double over = inDb - thresholdDb;
  if (over <= 0.0 || ratio <= 1.0) return inDb + gainDb;
  return thresholdDb + (std::isinf(ratio) ? 0.0 : over / ratio) + gainDb;
}

std::vector<DelayTap> DelayTaps(std::span<const DelayVoice> voices, double untilMs) {
  std::vector<DelayTap> taps;
  for (int voice = 0; voice < static_cast<int>(voices.size()); ++voice) {
    const double time = voices[voice].ms;
    const double feedback = std::clamp(voices[voice].feedback, 0.0, 1.0);
    if (time <= 0.0) continue;
    double level = 1.0;
    for (double at = time; at <= untilMs && level >= kFaintestTap; at += time) {
      taps.push_back({at, level, voice});
      level *= feedback;
      if (feedback == 0.0) break;
    }
  }
  std::stable_sort(taps.begin(), taps.end(), [](const DelayTap& a, const DelayTap& b) { return a.ms < b.ms; });
  return taps;
}
