// Per-monitor DPI for the program's windows.
#include "platform/win32/dpi.h"

#include "platform/win32/base_dialog.h"
#include "platform/win32/system_library.h"

namespace platform::win32 {

namespace {

// Windows 10 1607 on; user32 is loaded from the start, and its handle needs no freeing.
using AdjustWindowRectExForDpiFunction = BOOL(WINAPI*)(RECT*, DWORD, BOOL, DWORD, UINT);
AdjustWindowRectExForDpiFunction AdjustForDpi() {
  return ResolveFunction<AdjustWindowRectExForDpiFunction>(GetModuleHandleW(L"user32.dll"),
                                                            "AdjustWindowRectExForDpi");
}

// shcore's GetDpiForMonitor (Windows 8.1 on), with MDT_EFFECTIVE_DPI: the
// DPI Windows scales the monitor's windows by.
using GetDpiForMonitorFunction = HRESULT(WINAPI*)(HMONITOR, int, UINT*, UINT*);
constexpr int kEffectiveDpi = 0;

BOOL CALLBACK AddMonitor(HMONITOR, HDC, RECT* bounds, LPARAM list) {
  auto& rects = *reinterpret_cast<std::vector<PixelRect>*>(list);
  const PixelRect rect{bounds->left, bounds->top, bounds->right - bounds->left, bounds->bottom - bounds->top};
  // The primary monitor is the one whose corner is the origin.
  if (rect.left == 0 && rect.top == 0) {
    rects.insert(rects.begin(), rect);
  } else {
    rects.push_back(rect);
  }
  return TRUE;
}

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

std::vector<PixelRect> MonitorRects() {
  std::vector<PixelRect> rects;
  EnumDisplayMonitors(nullptr, nullptr, AddMonitor, reinterpret_cast<LPARAM>(&rects));
  if (rects.empty() || rects.front().left != 0 || rects.front().top != 0) {
    rects.insert(rects.begin(), {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)});
  }
  return rects;
}

int DpiOnMonitor(HWND window, const PixelRect& monitor, int systemDpi) {
  if (AdjustForDpi() == nullptr) return systemDpi;
  const RECT bounds{monitor.left, monitor.top, monitor.left + monitor.width, monitor.top + monitor.height};
  HMONITOR target = MonitorFromRect(&bounds, MONITOR_DEFAULTTONEAREST);
  if (target == MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST)) return WindowDpi(window);
  const UniqueModule shcore = LoadSystemLibrary(L"shcore.dll");
  const auto forMonitor = ResolveFunction<GetDpiForMonitorFunction>(shcore.get(), "GetDpiForMonitor");
  UINT dpiX = 0;
  UINT dpiY = 0;
  if (forMonitor == nullptr || FAILED(forMonitor(target, kEffectiveDpi, &dpiX, &dpiY)) || dpiX == 0)
    return systemDpi;
  return static_cast<int>(dpiX);
}

SIZE OuterSizeForClient(SIZE client, DWORD style, bool menu, DWORD exStyle, int dpi) {
  RECT rect{0, 0, client.cx, client.cy};
  if (const auto forDpi = AdjustForDpi()) {
    forDpi(&rect, style, menu ? TRUE : FALSE, exStyle, static_cast<UINT>(dpi));
  } else {
    AdjustWindowRectEx(&rect, style, menu ? TRUE : FALSE, exStyle);
  }
  return {rect.right - rect.left, rect.bottom - rect.top};
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
