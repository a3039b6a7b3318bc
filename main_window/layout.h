// Geometry of the main window in twips (1/1440 inch, 15 to a pixel at 96 dpi).
// Control positions are relative to the client area, below the menu bar.
#pragma once
#include <cstdint>

#include "platform/twips.h"
#include "platform/window_ops.h"
#include "resources/resource.h"

namespace main_window {

inline constexpr std::int32_t kClientWidthTwips = 5595;
inline constexpr std::int32_t kClientHeightTwips = 1800;

// The client area in pixels at dpi.
inline platform::PixelSize ClientSize(int dpi) {
  return {platform::TwipsToPixels(kClientWidthTwips, dpi), platform::TwipsToPixels(kClientHeightTwips, dpi)};
}

struct ControlLayout {
  int id;
  platform::TwipsRect bounds;
};

// In creation order, which is the order a screen reader reads them in: it
// names a field by the label just before it. Tab moves between the two
// fields, the list first: the window hands its focus on to the list.
inline constexpr ControlLayout kControls[] = {
    {IDC_Label1, {0, 120, 2535, 375}},
    {IDC_Text1, {2640, 120, 2895, 405}},
    {IDC_Label2, {0, 840, 2535, 375}},
    {IDC_List1, {2640, 840, 2895, 885}},
};
inline constexpr int kFirstFocusId = IDC_List1;

// All four controls: "Arial" 12 pt bold, created with the Cyrillic character set.
inline constexpr wchar_t kControlFontFace[] = L"Arial";
inline constexpr int kControlFontPoints = 12;

}  // namespace main_window
