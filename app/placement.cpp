// The placement rule.
#include "app/placement.h"

namespace app {

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
