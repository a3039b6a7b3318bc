// The placement rule for the stored window position.
#pragma once
#include <cstdint>

namespace app {

// value / 2, rounded to the nearest whole number with halves to the even one.
std::int32_t HalfRoundedToEven(std::int32_t value);

// A stored edge that is negative or beyond the free room (screen minus
// window, in the same unit) is replaced by half the free room; an edge equal
// to the free room stays.
std::int32_t PlaceEdge(std::int32_t stored, std::int32_t freeRoom);

}  // namespace app
