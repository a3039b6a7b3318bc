// Per-monitor DPI for the program's windows.
#include "platform/win32/dpi.h"

namespace platform::win32 {

namespace {

// Nothing is drawn or erased while a layout changes: every move would
// otherwise repaint the control and erase its parent at once, twenty times
// over for the settings dialog, and a window laid out half anew would show
// between them.
constexpr UINT kSilentMove = SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOREDRAW | SWP_DEFERERASE;

}  // namespace

ControlPlacer::ControlPlacer(HWND parent, int dpi, int count)
    : parent_(parent), dpi_(dpi), batch_(BeginDeferWindowPos(count)) {}

ControlPlacer::~ControlPlacer() {
  if (batch_ != nullptr) EndDeferWindowPos(batch_);
}

PixelRect ControlPlace(const TwipsRect& bounds, int dpi) {
  return {TwipsToPixels(bounds.left, dpi), TwipsToPixels(bounds.top, dpi), TwipsToPixels(bounds.width, dpi),
          TwipsToPixels(bounds.height, dpi)};
}

void ControlPlacer::Place(int controlId, const TwipsRect& bounds) {
  const PixelRect place = ControlPlace(bounds, dpi_);
  Move(controlId, place.left, place.top, place.width, place.height);
}

void ControlPlacer::Place(int controlId, const TwipsRect& bounds, SIZE pixels) {
  Move(controlId, TwipsToPixels(bounds.left, dpi_), TwipsToPixels(bounds.top, dpi_), pixels.cx,
       pixels.cy);
}

void ControlPlacer::Move(int controlId, int left, int top, int width, int height) {
  HWND control = GetDlgItem(parent_, controlId);
  if (control == nullptr) return;
  // A batch that could not grow is given up; the rest move one by one.
  if (batch_ != nullptr) batch_ = DeferWindowPos(batch_, control, nullptr, left, top, width, height, kSilentMove);
  if (batch_ == nullptr) SetWindowPos(control, nullptr, left, top, width, height, kSilentMove);
}

void RepaintWhole(HWND window) {
  RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
}

int TakeSuggestedRect(HWND window, WPARAM wParam, LPARAM lParam) {
  const auto& suggested = *reinterpret_cast<const RECT*>(lParam);
  // Drawn with the rest once the controls are in place. What the window
  // uncovers of the windows behind it is theirs to repaint, as always.
  SetWindowPos(window, nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
               suggested.bottom - suggested.top,
               SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOCOPYBITS | SWP_DEFERERASE);
  // The two halves are equal: Windows scales both axes alike.
  return LOWORD(wParam);
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
