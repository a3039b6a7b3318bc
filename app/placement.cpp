// Twips, pixels and the placement rule.
#include "app/placement.h"

namespace app {

namespace {

// Nearest whole quotient of two 64-bit numbers, halves away from zero
// (as MulDiv rounds).
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

std::int32_t HalfRoundedToEven(std::int32_t value) {
  const std::int32_t truncated = value / 2;  // toward zero
  if (value % 2 == 0) return truncated;
  // A half: of the two neighbours truncated and truncated +/- 1, take the even one.
  const std::int32_t other = value > 0 ? truncated + 1 : truncated - 1;
  return truncated % 2 == 0 ? truncated : other;
}

std::int32_t PlaceEdge(std::int32_t stored, std::int32_t freeRoom) {
  if (stored < 0 || stored > freeRoom) return HalfRoundedToEven(freeRoom);
  return stored;
}

}  // namespace app
