// Twips and pixels.
#include "platform/twips.h"

namespace platform {

namespace {

// Nearest whole quotient, halves away from zero (as MulDiv rounds).
std::int64_t DivideRounded(std::int64_t numerator, std::int64_t denominator) {
  const std::int64_t half = denominator / 2;
  return numerator >= 0 ? (numerator + half) / denominator : (numerator - half) / denominator;
}

}  // namespace

int TwipsToPixels(std::int32_t twips, int dpi) {
  return static_cast<int>(DivideRounded(std::int64_t{twips} * dpi, kTwipsPerInch));
}

std::int32_t PixelsToTwips(int pixels, int dpi) {
  return static_cast<std::int32_t>(DivideRounded(std::int64_t{pixels} * kTwipsPerInch, dpi));
}

}  // namespace platform
