// Twips (1/1440 inch, 15 to a pixel at 96 dpi), the unit of every window
// layout and of the stored window position, and their pixels.
#pragma once
#include <cstdint>

namespace platform {

inline constexpr int kTwipsPerInch = 1440;

struct TwipsRect {
  std::int32_t left, top, width, height;
};

// Rounded to the nearest pixel (halves away from zero); twips are exact
// multiples at 96, 120 and 144 dpi.
int TwipsToPixels(std::int32_t twips, int dpi);
std::int32_t PixelsToTwips(int pixels, int dpi);

}  // namespace platform
