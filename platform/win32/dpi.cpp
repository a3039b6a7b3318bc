// Per-monitor DPI for the program's windows.
#include "platform/win32/dpi.h"

namespace platform::win32 {

int TakeSuggestedRect(HWND window, WPARAM wParam, LPARAM lParam) {
  const auto& suggested = *reinterpret_cast<const RECT*>(lParam);
  SetWindowPos(window, nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
               suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
  // The two halves are equal: Windows scales both axes alike.
  return LOWORD(wParam);
}

void PlaceInTwips(HWND control, const TwipsRect& bounds, int dpi) {
  MoveWindow(control, TwipsToPixels(bounds.left, dpi), TwipsToPixels(bounds.top, dpi),
             TwipsToPixels(bounds.width, dpi), TwipsToPixels(bounds.height, dpi), TRUE);
}

int FontCharsetOf(HWND control) {
  auto font = reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0));
  if (font == nullptr) font = static_cast<HFONT>(GetStockObject(SYSTEM_FONT));
  LOGFONTW description{};
  return GetObjectW(font, sizeof description, &description) == sizeof description
             ? description.lfCharSet
             : DEFAULT_CHARSET;
}

}  // namespace platform::win32
