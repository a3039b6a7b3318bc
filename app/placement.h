// The placement rule for the stored window position.
#pragma once
#include <cstdint>

#include "platform/window_ops.h"

namespace app {

// value / 2, rounded to the nearest whole number with halves to the even one.
std::int32_t HalfRoundedToEven(std::int32_t value);

// A stored edge that is negative or beyond the free room (screen minus
// window, in the same unit) is replaced by half the free room; an edge equal
// to the free room stays.
std::int32_t PlaceEdge(std::int32_t stored, std::int32_t freeRoom);

// Whether a stored corner (twips at screenDpi) lies within the monitor's free
// width and height for a window of that outer size: the window wholly on the
// monitor, flush with its far edges included. Both ends are the twips the
// exit saves for a window at that pixel, so a window left anywhere on a
// monitor is kept there; for the primary (at 0,0) this is PlaceEdge's rule.
bool KeepsPlaceOn(std::int32_t left, std::int32_t top, const platform::PixelRect& monitor,
                  platform::PixelSize window, int screenDpi);

}  // namespace app
