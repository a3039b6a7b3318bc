// What each of the program's windows does when Windows moves it to a monitor
// of another DPI (WM_DPICHANGED, per-monitor aware): it takes the rectangle
// Windows suggests and lays its controls out again from their twips, in
// fonts made anew for the new DPI.
#pragma once
#include <windows.h>

#include "platform/twips.h"

namespace platform::win32 {

// WM_DPICHANGED's wParam and lParam: the new DPI, then the window moved and
// sized to the suggested rectangle.
int TakeSuggestedRect(HWND window, WPARAM wParam, LPARAM lParam);

// A control moved to its place in twips at dpi, relative to its parent's
// client area.
void PlaceInTwips(HWND control, const TwipsRect& bounds, int dpi);

// The character set of the font control draws with now (its font's, or the
// system's when it has none of its own).
int FontCharsetOf(HWND control);

}  // namespace platform::win32
