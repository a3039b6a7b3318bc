// The placement rule.
#include "app/placement.h"

#include "platform/twips.h"

namespace app {

namespace {

// near and far: the pixels a window's edge may take, saved in twips as the
// exit saves them.
bool WithinTwipsOf(std::int32_t stored, int nearEdge, int farEdge, int screenDpi) {
  return stored >= platform::PixelsToTwips(nearEdge, screenDpi) &&
         stored <= platform::PixelsToTwips(farEdge, screenDpi);
}

}  // namespace

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

bool KeepsPlaceOn(std::int32_t left, std::int32_t top, const platform::PixelRect& monitor,
                  platform::PixelSize window, int screenDpi) {
  return WithinTwipsOf(left, monitor.left, monitor.left + monitor.width - window.width, screenDpi) &&
         WithinTwipsOf(top, monitor.top, monitor.top + monitor.height - window.height, screenDpi);
}

}  // namespace app
