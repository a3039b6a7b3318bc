// Twips, pixels and the placement rule for the stored window position.
#pragma once
#include <cstdint>

namespace app {

inline constexpr int kTwipsPerInch = 1440;

// Rounded to the nearest pixel; twips are exact multiples at 96, 120 and 144 dpi.
int TwipsToPixels(std::int32_t twips, int dpi);
std::int32_t PixelsToTwips(int pixels, int dpi);

// value / 2, rounded to the nearest whole number with halves to the even one.
std::int32_t HalfRoundedToEven(std::int32_t value);

// A stored edge that is negative or beyond the free room (screen minus
// window, in the same unit) is replaced by half the free room; an edge equal
// to the free room stays.
std::int32_t PlaceEdge(std::int32_t stored, std::int32_t freeRoom);

}  // namespace app
