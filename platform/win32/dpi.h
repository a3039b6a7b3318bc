// Monitors and their DPI, and what each of the program's windows does when
// Windows moves it to a monitor of another DPI (WM_DPICHANGED, per-monitor
// aware): it takes the rectangle Windows suggests and lays its controls out
// again from their twips, in fonts made anew for the new DPI. All of it
// happens without drawing; the window and its controls are painted once,
// when the new layout is complete.
#pragma once
#include <windows.h>

#include <vector>

#include "platform/twips.h"
#include "platform/window_ops.h"

namespace platform::win32 {

// WM_GETDPISCALEDSIZE (Windows 10 1703 on), which winuser.h declares only
// for programs that need Windows 10: Windows asks a window moving to a
// monitor of another DPI for its outer size there (wParam the DPI, lParam a
// SIZE to fill; TRUE when filled).
inline constexpr UINT kGetDpiScaledSizeMessage = 0x02E4;

// Every monitor's rectangle, the primary first; the primary screen alone
// where none can be listed.
std::vector<PixelRect> MonitorRects();

// The DPI window, a top-level window of the program, takes on the monitor
// with that rectangle: the monitor's own from Windows 10 on (Windows 7 and
// 8.1 give every window the system DPI, systemDpi). The window's own monitor
// is answered by the window, without loading shcore.
int DpiOnMonitor(HWND window, const PixelRect& monitor, int systemDpi);

// The outer size of a window of that style around a client area, with
// frame, caption and menu bar at their sizes for dpi
// (AdjustWindowRectExForDpi, Windows 10 1607 on; elsewhere the system DPI's,
// the only one windows have there).
SIZE OuterSizeForClient(SIZE client, DWORD style, bool menu, DWORD exStyle, int dpi);

// A control's place in twips as pixels at dpi, relative to its parent's
// client area.
PixelRect ControlPlace(const TwipsRect& bounds, int dpi);

// Moves controls of one parent to their places in one pass, none of them
// drawn: the moves take effect together when the placer goes. Whoever moves
// controls of a visible window this way repaints it (RepaintWhole).
class ControlPlacer {
 public:
  ControlPlacer(HWND parent, int dpi, int count);
  ~ControlPlacer();
  ControlPlacer(const ControlPlacer&) = delete;
  ControlPlacer& operator=(const ControlPlacer&) = delete;

  // To its place in twips, relative to the parent's client area.
  void Place(int controlId, const TwipsRect& bounds);
  // To its place in twips, at a size of its own in pixels.
  void Place(int controlId, const TwipsRect& bounds, SIZE pixels);

 private:
  void Move(int controlId, int left, int top, int width, int height);

  HWND parent_;
  int dpi_;
  HDWP batch_;
};

// The window, its frame and every control drawn anew, once, when the
// program next waits for messages.
void RepaintWhole(HWND window);

// WM_DPICHANGED handled in one go: the window takes the rectangle Windows
// suggests, relayout(dpi) moves the controls (a ControlPlacer) and gives them
// their new fonts without redrawing them, and the whole window is then
// repainted once.
template <class Relayout>
void ChangeDpi(HWND window, WPARAM wParam, LPARAM lParam, Relayout&& relayout);

// WM_DPICHANGED's wParam and lParam: the new DPI, then the window moved and
// sized to the suggested rectangle, without drawing.
int TakeSuggestedRect(HWND window, WPARAM wParam, LPARAM lParam);

// The character set of the font control draws with now (its font's, or the
// system's when it has none of its own).
int FontCharsetOf(HWND control);

template <class Relayout>
void ChangeDpi(HWND window, WPARAM wParam, LPARAM lParam, Relayout&& relayout) {
  relayout(TakeSuggestedRect(window, wParam, lParam));
  RepaintWhole(window);
}

}  // namespace platform::win32
