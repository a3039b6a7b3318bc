// The main window on Win32: the window operations that the logic performs on
// it, its controls and its menus.
#include <windowsx.h>

#include "main_window/accelerator_text.h"
#include "main_window/form1_window.h"
#include "platform/win32/dpi.h"
#include "resources/resource.h"

namespace main_window {

namespace {

// The menu-bar titles have no command ids of their own in a MENU resource;
// they are found by position.
int MenuBarPosition(int menuId) {
  switch (menuId) {
    case IDM_mnuGeneral: return MENUBAR_POS_mnuGeneral;
    case IDM_MnuWindow: return MENUBAR_POS_MnuWindow;
    case IDM_mnuHelp: return MENUBAR_POS_mnuHelp;
    default: return -1;
  }
}

bool SetMenuText(HMENU menu, UINT item, bool byPosition, const std::wstring& text) {
  MENUITEMINFOW info{};
  info.cbSize = sizeof(info);
  info.fMask = MIIM_STRING;
  info.dwTypeData = const_cast<wchar_t*>(text.c_str());
  return SetMenuItemInfoW(menu, item, byPosition ? TRUE : FALSE, &info) != FALSE;
}

}  // namespace

void Form1Window::LayOutMenuBarIfChanged() {
  if (!menuBarChanged_) return;
  menuBarChanged_ = false;
  DrawMenuBar(hwnd_);
}

std::vector<platform::PixelRect> Form1Window::Monitors() const { return platform::win32::MonitorRects(); }

int Form1Window::DpiOn(const platform::PixelRect& monitor) const {
  return platform::win32::DpiOnMonitor(hwnd_, monitor, screenDpi_);
}

platform::PixelSize Form1Window::OuterSize() const {
  RECT rect{};
  GetWindowRect(hwnd_, &rect);
  return {rect.right - rect.left, rect.bottom - rect.top};
}

platform::PixelSize Form1Window::OuterSizeForClient(platform::PixelSize client, int dpi) const {
  const SIZE outer = platform::win32::OuterSizeForClient(
      {client.width, client.height}, static_cast<DWORD>(GetWindowLongW(hwnd_, GWL_STYLE)), true,
      static_cast<DWORD>(GetWindowLongW(hwnd_, GWL_EXSTYLE)), dpi);
  return {outer.cx, outer.cy};
}

void Form1Window::SetBounds(platform::PixelRect outer) {
  // A window that keeps its size is only moved: under Wine a move that also
  // sizes, even to the same size, lays the window out anew and costs twice
  // as much (start-up places the window at the size it was created at).
  RECT now{};
  GetWindowRect(hwnd_, &now);
  const bool sameSize = now.right - now.left == outer.width && now.bottom - now.top == outer.height;
  SetWindowPos(hwnd_, nullptr, outer.left, outer.top, outer.width, outer.height,
               SWP_NOZORDER | SWP_NOACTIVATE | (sameSize ? SWP_NOSIZE : 0));
}

void Form1Window::Show() {
  LayOutMenuBarIfChanged();
  ShowWindow(hwnd_, SW_SHOW);
}

void Form1Window::SetShowState(platform::ShowState state) {
  if (state != platform::ShowState::Hidden) LayOutMenuBarIfChanged();
  switch (state) {
    case platform::ShowState::Hidden: ShowWindow(hwnd_, SW_HIDE); break;
    case platform::ShowState::Minimized: ShowWindow(hwnd_, SW_MINIMIZE); break;
    case platform::ShowState::Normal: ShowWindow(hwnd_, SW_SHOWNORMAL); break;
  }
}

platform::PixelPoint Form1Window::NormalPosition() const {
  RECT rect{};
  if (!IsIconic(hwnd_)) {
    GetWindowRect(hwnd_, &rect);
    return {rect.left, rect.top};
  }
  // A minimised window keeps its normal rectangle in workspace coordinates,
  // which start at the work area's corner rather than the screen's.
  WINDOWPLACEMENT placement{};
  placement.length = sizeof(placement);
  GetWindowPlacement(hwnd_, &placement);
  rect = placement.rcNormalPosition;
  MONITORINFO monitor{};
  monitor.cbSize = sizeof(monitor);
  GetMonitorInfoW(MonitorFromRect(&rect, MONITOR_DEFAULTTONEAREST), &monitor);
  return {rect.left + monitor.rcWork.left - monitor.rcMonitor.left,
          rect.top + monitor.rcWork.top - monitor.rcMonitor.top};
}

void Form1Window::SetText(int controlId, const std::wstring& text) {
  SetWindowTextW(Control(controlId), text.c_str());
}

std::wstring Form1Window::Text(int controlId) const {
  HWND control = Control(controlId);
  std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(control)) + 1, L'\0');
  text.resize(static_cast<std::size_t>(GetWindowTextW(control, text.data(), static_cast<int>(text.size()))));
  return text;
}

void Form1Window::SetFontCharset(int controlId, int charset) {
  SendMessageW(Control(controlId), WM_SETFONT, reinterpret_cast<WPARAM>(FontForCharset(charset)),
               TRUE);
}

void Form1Window::ListClear(int controlId) { ListBox_ResetContent(Control(controlId)); }

void Form1Window::ListAppend(int controlId, const std::wstring& entry) {
  ListBox_AddString(Control(controlId), entry.c_str());
}

int Form1Window::ListCount(int controlId) const { return ListBox_GetCount(Control(controlId)); }

std::wstring Form1Window::ListEntry(int controlId, int index) const {
  HWND list = Control(controlId);
  const int length = ListBox_GetTextLen(list, index);
  if (length < 0) return {};
  std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
  const int copied = ListBox_GetText(list, index, text.data());
  text.resize(copied > 0 ? static_cast<std::size_t>(copied) : 0);
  return text;
}

int Form1Window::ListSelection(int controlId) const { return ListBox_GetCurSel(Control(controlId)); }

namespace {

bool HasScrollBar(HWND control) { return (GetWindowLongW(control, GWL_STYLE) & WS_VSCROLL) != 0; }

}  // namespace

void Form1Window::SetRedraw(int controlId, bool on) {
  HWND control = Control(controlId);
  const bool list = controlId == IDC_List1;
  if (!on) {
    if (list) listHadScrollBar_ = HasScrollBar(control);
    SendMessageW(control, WM_SETREDRAW, FALSE, 0);
    return;
  }
  SendMessageW(control, WM_SETREDRAW, TRUE, 0);
  if (list) listTip_.OnListRefilled();
  // The list's frame is drawn again only where it holds a scroll bar, before
  // or after the refill (its thumb goes back to the top); otherwise it is
  // only the border, as the host field's is.
  const UINT frame = list && (listHadScrollBar_ || HasScrollBar(control)) ? RDW_FRAME : 0;
  RedrawWindow(control, nullptr, nullptr, RDW_ERASE | RDW_INVALIDATE | frame);
}

platform::PixelRect Form1Window::ControlBounds(int controlId) const {
  RECT rect{};
  GetWindowRect(Control(controlId), &rect);
  MapWindowPoints(nullptr, hwnd_, reinterpret_cast<POINT*>(&rect), 2);
  return {rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top};
}

void Form1Window::SetMenuCaption(int menuId, const std::wstring& caption) {
  HMENU menuBar = GetMenu(hwnd_);
  if (const int position = MenuBarPosition(menuId); position >= 0) {
    SetMenuText(menuBar, static_cast<UINT>(position), true, caption);
    if (IsWindowVisible(hwnd_)) {
      DrawMenuBar(hwnd_);
    } else {
      menuBarChanged_ = true;
    }
    return;
  }
  const std::wstring* shortcut = shortcutTexts_.Find(menuId);
  const std::wstring text =
      CaptionWithShortcut(caption, shortcut != nullptr ? *shortcut : std::wstring());
  // Items of the menu bar's menus, else of the popup menus.
  if (!SetMenuText(menuBar, static_cast<UINT>(menuId), false, text)) {
    SetMenuText(popupMenus_.get(), static_cast<UINT>(menuId), false, text);
  }
}

void Form1Window::OpenPopupMenu(int popupPosition, platform::PixelPoint screenPoint,
                                int defaultItem) {
  HMENU menu = GetSubMenu(popupMenus_.get(), popupPosition);
  if (menu == nullptr) return;
  SetMenuDefaultItem(menu, defaultItem != 0 ? static_cast<UINT>(defaultItem) : static_cast<UINT>(-1),
                     FALSE);
  TrackPopupMenu(menu, TPM_LEFTALIGN | TPM_TOPALIGN | TPM_RIGHTBUTTON, screenPoint.x, screenPoint.y,
                 0, hwnd_, nullptr);
  // The task switch that ends a menu opened from the notification area only
  // happens once the window has a message to take.
  PostMessageW(hwnd_, WM_NULL, 0, 0);
}

platform::PixelPoint Form1Window::CursorPosition() const {
  POINT point{};
  GetCursorPos(&point);
  return {point.x, point.y};
}

platform::PixelPoint Form1Window::ClientToScreen(platform::PixelPoint client) const {
  POINT point{client.x, client.y};
  ::ClientToScreen(hwnd_, &point);
  return {point.x, point.y};
}

}  // namespace main_window
