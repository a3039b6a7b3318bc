// Twips, pixels and where a stored position puts the window.
#include <gtest/gtest.h>

#include "app/placement.h"
#include "platform/twips.h"

namespace {

using namespace app;

TEST(Twips, FifteenToAPixelAt96Dpi) {
  EXPECT_EQ(platform::TwipsToPixels(5595, 96), 373);
  EXPECT_EQ(platform::TwipsToPixels(1800, 96), 120);
  EXPECT_EQ(platform::TwipsToPixels(1, 96), 0);   // less than a pixel
  EXPECT_EQ(platform::TwipsToPixels(-15, 96), -1);
  EXPECT_EQ(platform::PixelsToTwips(1024, 96), 15360);
  EXPECT_EQ(platform::PixelsToTwips(379, 96), 5685);
}

TEST(Twips, ScaleWithTheSystemDpi) {
  EXPECT_EQ(platform::TwipsToPixels(5595, 120), 466);  // 466.25
  EXPECT_EQ(platform::TwipsToPixels(2640, 144), 264);
  EXPECT_EQ(platform::PixelsToTwips(1280, 120), 15360);
  EXPECT_EQ(platform::PixelsToTwips(1, 144), 10);
}

TEST(HalfRoundedToEven, HalvesGoToTheEvenNeighbour) {
  EXPECT_EQ(HalfRoundedToEven(9675), 4838);   // 4837.5
  EXPECT_EQ(HalfRoundedToEven(9673), 4836);   // 4836.5
  EXPECT_EQ(HalfRoundedToEven(1), 0);
  EXPECT_EQ(HalfRoundedToEven(3), 2);
  EXPECT_EQ(HalfRoundedToEven(-1), 0);
  EXPECT_EQ(HalfRoundedToEven(-3), -2);
  EXPECT_EQ(HalfRoundedToEven(8), 4);
  EXPECT_EQ(HalfRoundedToEven(0), 0);
}

TEST(PlaceEdge, OnlyNegativeOrBeyondTheFreeRoomIsCentred) {
  const std::int32_t freeRoom = 15360 - 5685;
  EXPECT_EQ(PlaceEdge(1, freeRoom), 1);                    // top-left corner, not centred
  EXPECT_EQ(PlaceEdge(0, freeRoom), 0);
  EXPECT_EQ(PlaceEdge(freeRoom, freeRoom), freeRoom);      // flush with the far edge stays
  EXPECT_EQ(PlaceEdge(freeRoom + 1, freeRoom), 4838);      // one twip more is centred
  EXPECT_EQ(PlaceEdge(-15, freeRoom), 4838);
  EXPECT_EQ(PlaceEdge(INT32_MIN, freeRoom), 4838);
  EXPECT_EQ(PlaceEdge(INT32_MAX, freeRoom), 4838);
}

TEST(PlaceEdge, AScreenSmallerThanTheWindowCentresItAcrossBothEdges) {
  EXPECT_EQ(PlaceEdge(1, -1001), -500);  // -500.5 to the even -500
  EXPECT_EQ(PlaceEdge(-1, -1001), -500);
}

}  // namespace
