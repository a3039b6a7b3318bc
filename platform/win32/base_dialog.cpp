// The modal windows' template, size and place.
#include "platform/win32/base_dialog.h"

#include <cstring>
#include <vector>

#include "platform/win32/system_library.h"

namespace platform::win32 {

namespace {

// The dialog's standard font, for whatever control keeps it.
constexpr wchar_t kDialogFontFace[] = L"MS Shell Dlg";
constexpr WORD kDialogFontPoints = 8;

// DLGTEMPLATE, then the menu, class and title arrays (each one empty word),
// then the font's size and face: DWORD-aligned, as the template must be.
std::vector<DWORD> EmptyTemplate(const ModalFrame& frame) {
  std::vector<DWORD> storage(64, 0);
  auto* dialog = reinterpret_cast<DLGTEMPLATE*>(storage.data());
  dialog->style = WS_POPUP | frame.style | DS_SETFONT | DS_FIXEDSYS;
  dialog->dwExtendedStyle = frame.exStyle;
  dialog->cdit = 0;
  auto* words = reinterpret_cast<WORD*>(dialog + 1);
  *words++ = 0;  // no menu
  *words++ = 0;  // the dialog class
  *words++ = 0;  // no title: the window sets its own
  *words++ = kDialogFontPoints;
  std::memcpy(words, kDialogFontFace, sizeof(kDialogFontFace));
  return storage;
}

}  // namespace

INT_PTR RunModalDialog(HINSTANCE instance, HWND owner, const ModalFrame& frame, DLGPROC procedure,
                       LPARAM parameter) {
  const std::vector<DWORD> storage = EmptyTemplate(frame);
  return DialogBoxIndirectParamW(instance, reinterpret_cast<const DLGTEMPLATE*>(storage.data()),
                                 owner, procedure, parameter);
}

int SystemDpi() {
  HDC screen = GetDC(nullptr);
  const int dpi = GetDeviceCaps(screen, LOGPIXELSX);
  ReleaseDC(nullptr, screen);
  return dpi > 0 ? dpi : USER_DEFAULT_SCREEN_DPI;
}

int WindowDpi(HWND window) {
  // Windows 10 1607 on; the user32 the program has loaded from the start.
  using GetDpiForWindowFunction = UINT(WINAPI*)(HWND);
  const auto forWindow =
      ResolveFunction<GetDpiForWindowFunction>(GetModuleHandleW(L"user32.dll"), "GetDpiForWindow");
  const UINT dpi = forWindow != nullptr && window != nullptr ? forWindow(window) : 0;
  return dpi != 0 ? static_cast<int>(dpi) : SystemDpi();
}

void SizeAndCentreDialog(HWND dialog, int clientWidth, int clientHeight) {
  RECT outer{0, 0, clientWidth, clientHeight};
  AdjustWindowRectEx(&outer, static_cast<DWORD>(GetWindowLongW(dialog, GWL_STYLE)), FALSE,
                     static_cast<DWORD>(GetWindowLongW(dialog, GWL_EXSTYLE)));
  const int width = outer.right - outer.left;
  const int height = outer.bottom - outer.top;

  MONITORINFO monitor{};
  monitor.cbSize = sizeof(monitor);
  HWND owner = GetWindow(dialog, GW_OWNER);
  GetMonitorInfoW(MonitorFromWindow(owner != nullptr ? owner : dialog, MONITOR_DEFAULTTONEAREST),
                  &monitor);
  RECT around = monitor.rcWork;
  if (owner != nullptr && IsWindowVisible(owner) && !IsIconic(owner)) GetWindowRect(owner, &around);
  int left = around.left + (around.right - around.left - width) / 2;
  int top = around.top + (around.bottom - around.top - height) / 2;
  // Wholly on the work area, its title bar first.
  if (left + width > monitor.rcWork.right) left = monitor.rcWork.right - width;
  if (top + height > monitor.rcWork.bottom) top = monitor.rcWork.bottom - height;
  if (left < monitor.rcWork.left) left = monitor.rcWork.left;
  if (top < monitor.rcWork.top) top = monitor.rcWork.top;
  SetWindowPos(dialog, nullptr, left, top, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace platform::win32
