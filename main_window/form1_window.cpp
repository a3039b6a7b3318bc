// The main window on Win32.
#include "main_window/form1_window.h"

#include <windowsx.h>

#include <optional>
#include <vector>

#include "app/placement.h"
#include "localization/fixed_texts.h"
#include "localization/language.h"
#include "main_window/accelerator_text.h"
#include "main_window/layout.h"
#include "resources/resource.h"

namespace main_window {

namespace {

// Fixed single frame with a system menu and a minimize box: no sizing
// border and no maximize box.
constexpr DWORD kFrameStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;

struct ControlClass {
  const wchar_t* className;
  DWORD style;
  DWORD exStyle;
};

ControlClass ClassOf(int controlId) {
  switch (controlId) {
    case IDC_List1:
      return {L"LISTBOX", WS_TABSTOP | WS_VSCROLL | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT,
              WS_EX_CLIENTEDGE};
    case IDC_Text1:
      // Read-only: every lookup rewrites the field, so typed text would only be lost.
      return {L"EDIT", WS_TABSTOP | ES_AUTOHSCROLL | ES_READONLY, WS_EX_CLIENTEDGE};
    default:
      return {L"STATIC", SS_RIGHT | SS_NOPREFIX, 0};
  }
}

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

// Exit code when the sockets library fails to stop and the process ends at once.
constexpr UINT kExitSocketsFailed = 1;

int ScreenDpi() {
  HDC screen = GetDC(nullptr);
  const int dpi = GetDeviceCaps(screen, LOGPIXELSX);
  ReleaseDC(nullptr, screen);
  return dpi > 0 ? dpi : USER_DEFAULT_SCREEN_DPI;
}

}  // namespace

Form1Window::~Form1Window() {
  if (hwnd_ != nullptr) DestroyWindow(hwnd_);
}

bool Form1Window::Create() {
  dpi_ = ScreenDpi();
  WNDCLASSEXW windowClass{};
  windowClass.cbSize = sizeof(windowClass);
  windowClass.lpfnWndProc = WindowProc;
  windowClass.hInstance = instance_;
  // Shared icons belong to the system: they are never destroyed by the program.
  windowClass.hIcon = static_cast<HICON>(LoadImageW(instance_, MAKEINTRESOURCEW(IDI_ADRELO),
                                                    IMAGE_ICON, GetSystemMetrics(SM_CXICON),
                                                    GetSystemMetrics(SM_CYICON), LR_SHARED));
  smallIcon_ = static_cast<HICON>(LoadImageW(instance_, MAKEINTRESOURCEW(IDI_ADRELO), IMAGE_ICON,
                                             GetSystemMetrics(SM_CXSMICON),
                                             GetSystemMetrics(SM_CYSMICON), LR_SHARED));
  windowClass.hIconSm = smallIcon_;
  windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  windowClass.lpszClassName = kForm1ClassName;
  if (RegisterClassExW(&windowClass) == 0 && GetLastError() != ERROR_CLASS_ALREADY_EXISTS) {
    return false;
  }

  taskbarCreatedMessage_ = RegisterWindowMessageW(L"TaskbarCreated");
  popupMenus_.reset(LoadMenuW(instance_, MAKEINTRESOURCEW(IDR_POPUPMENUS)));
  accelerators_.reset(LoadAcceleratorsW(instance_, MAKEINTRESOURCEW(IDR_ACCELERATORS)));
  LoadShortcutTexts();

  // Created hidden at the top-left corner; start-up places it, captions it
  // and gives it its start state before it is first shown.
  HMENU menuBar = LoadMenuW(instance_, MAKEINTRESOURCEW(IDR_MAINMENU));
  const platform::PixelSize client{app::TwipsToPixels(kClientWidthTwips, dpi_),
                                   app::TwipsToPixels(kClientHeightTwips, dpi_)};
  RECT outer{0, 0, client.width, client.height};
  AdjustWindowRectEx(&outer, kFrameStyle, TRUE, 0);
  CreateWindowExW(0, kForm1ClassName, localization::kAppTitle, kFrameStyle, 0, 0,
                  outer.right - outer.left, outer.bottom - outer.top, nullptr, menuBar, instance_,
                  this);
  if (hwnd_ == nullptr) {
    DestroyMenu(menuBar);
    return false;
  }
  return true;
}

LRESULT Form1Window::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  // A registered message has no constant to switch on.
  if (message == taskbarCreatedMessage_ && message != 0) return OnTaskbarCreated();
  switch (message) {
    case WM_CREATE: return OnCreate();
    case WM_CTLCOLORSTATIC: return OnCtlColorStatic(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam));
    case WM_SYSCOMMAND: return OnSysCommand(wParam, lParam);
    case WM_COMMAND: return OnCommand(wParam, lParam);
    case WM_TIMER: return OnTimer(wParam);
    case WM_CLOSE: return OnClose();
    // Never block or delay the end of the session.
    case WM_QUERYENDSESSION: return TRUE;
    case WM_ENDSESSION: return OnEndSession(wParam != FALSE);
    case WM_APP_TRAY_NOTIFY: return OnTrayNotify(lParam);
    case WM_DESTROY: OnDestroy(); return 0;
    default: return DefaultHandling(message, wParam, lParam);
  }
}

LRESULT Form1Window::OnCreate() {
  HFONT font = FontForCharset(localization::kCharsetCyrillic);
  for (const ControlLayout& control : kControls) {
    const ControlClass kind = ClassOf(control.id);
    HWND child = CreateWindowExW(
        kind.exStyle, kind.className, L"", WS_CHILD | WS_VISIBLE | kind.style,
        app::TwipsToPixels(control.bounds.left, dpi_), app::TwipsToPixels(control.bounds.top, dpi_),
        app::TwipsToPixels(control.bounds.width, dpi_),
        app::TwipsToPixels(control.bounds.height, dpi_), hwnd_,
        reinterpret_cast<HMENU>(static_cast<INT_PTR>(control.id)), instance_, nullptr);
    if (child == nullptr) return -1;
    SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  }
  // Ticks from now on, in every state of the window, until it is destroyed.
  SetTimer(hwnd_, IDT_Timer1, TIMER1_INTERVAL_MS, nullptr);
  return 0;
}

LRESULT Form1Window::OnCtlColorStatic(HDC dc, HWND control) {
  // The read-only host field keeps the look of an ordinary text box.
  if (control == Control(IDC_Text1)) {
    SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
    SetBkColor(dc, GetSysColor(COLOR_WINDOW));
    return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_WINDOW));
  }
  return DefaultHandling(WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(control));
}

LRESULT Form1Window::OnSysCommand(WPARAM command, LPARAM lParam) {
  // The window has one size: a maximize or size request from the system menu
  // or from another program is refused.
  switch (command & 0xFFF0) {
    case SC_MAXIMIZE:
    case SC_SIZE:
      return 0;
    default:
      return DefaultHandling(WM_SYSCOMMAND, command, lParam);
  }
}

LRESULT Form1Window::OnCommand(WPARAM wParam, LPARAM lParam) {
  // Menus (0) and shortcut keys (1); notifications of the controls are not commands.
  if (HIWORD(wParam) > 1 || events_ == nullptr) return DefaultHandling(WM_COMMAND, wParam, lParam);
  events_->OnCommand(LOWORD(wParam));
  return 0;
}

LRESULT Form1Window::OnTimer(WPARAM timerId) {
  if (timerId == IDT_Timer1 && events_ != nullptr) events_->OnTimer();
  return 0;
}

LRESULT Form1Window::OnClose() {
  if (events_ == nullptr) return DefaultHandling(WM_CLOSE, 0, 0);
  Finish(events_->OnCloseRequest());
  return 0;
}

LRESULT Form1Window::OnEndSession(bool ending) {
  if (ending && events_ != nullptr) Finish(events_->OnEndSession());
  return 0;
}

LRESULT Form1Window::OnTrayNotify(LPARAM lParam) {
  // The classic callback: the mouse message itself is the whole of lParam.
  if (events_ != nullptr) events_->OnTrayNotify(static_cast<int>(LOWORD(lParam)));
  return 0;
}

LRESULT Form1Window::OnTaskbarCreated() {
  if (events_ != nullptr) events_->OnTaskbarCreated();
  return 0;
}

void Form1Window::OnDestroy() {
  events_ = nullptr;
  PostQuitMessage(0);
}

void Form1Window::Finish(CloseAction action) {
  switch (action) {
    case CloseAction::KeepRunning: break;
    // Also from inside a modal loop (a message box, a dialog): destroying the
    // owner ends it, and the WM_QUIT that follows ends the program.
    case CloseAction::CloseWindow: DestroyWindow(hwnd_); break;
    case CloseAction::EndProcessNow: ExitProcess(kExitSocketsFailed); break;
  }
}

platform::win32::WindowSubclass Form1Window::HookField(int controlId) {
  return platform::win32::WindowSubclass(Control(controlId), FieldProc,
                                         static_cast<UINT_PTR>(controlId),
                                         reinterpret_cast<DWORD_PTR>(this));
}

LRESULT Form1Window::FieldProc(HWND control, UINT message, WPARAM wParam, LPARAM lParam,
                               UINT_PTR controlId, DWORD_PTR self) {
  const auto* window = reinterpret_cast<const Form1Window*>(self);
  std::optional<tray::FieldInput> input;
  if (message == WM_RBUTTONUP) input = tray::FieldInput::RightButtonUp;
  if (message == WM_KEYUP && wParam == VK_APPS) input = tray::FieldInput::MenuKeyUp;
  if (input && window->events_ != nullptr &&
      window->events_->OnFieldInput(static_cast<int>(controlId), *input)) {
    return 0;
  }
  return platform::win32::WindowSubclass::CallPrevious(control, message, wParam, lParam);
}

HFONT Form1Window::FontForCharset(int charset) {
  auto found = fonts_.find(charset);
  if (found != fonts_.end()) return found->second.get();
  const int height = -MulDiv(kControlFontPoints, dpi_, 72);
  HFONT font = CreateFontW(height, 0, 0, 0, FW_BOLD, FALSE, FALSE, FALSE,
                           static_cast<DWORD>(charset), OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                           DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, kControlFontFace);
  fonts_.emplace(charset, platform::win32::UniqueFont(font));
  return font;
}

void Form1Window::LoadShortcutTexts() {
  if (!accelerators_) return;
  const int count = CopyAcceleratorTableW(accelerators_.get(), nullptr, 0);
  std::vector<ACCEL> entries(static_cast<std::size_t>(count));
  CopyAcceleratorTableW(accelerators_.get(), entries.data(), count);
  for (const ACCEL& entry : entries) {
    shortcutTexts_[entry.cmd] = ShortcutText({entry.fVirt, entry.key});
  }
}

void Form1Window::LayOutMenuBarIfChanged() {
  if (!menuBarChanged_) return;
  menuBarChanged_ = false;
  DrawMenuBar(hwnd_);
}

platform::PixelSize Form1Window::ScreenSize() const {
  return {GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
}

platform::PixelSize Form1Window::OuterSize() const {
  RECT rect{};
  GetWindowRect(hwnd_, &rect);
  return {rect.right - rect.left, rect.bottom - rect.top};
}

platform::PixelSize Form1Window::OuterSizeForClient(platform::PixelSize client) const {
  RECT rect{0, 0, client.width, client.height};
  AdjustWindowRectEx(&rect, static_cast<DWORD>(GetWindowLongW(hwnd_, GWL_STYLE)), TRUE,
                     static_cast<DWORD>(GetWindowLongW(hwnd_, GWL_EXSTYLE)));
  return {rect.right - rect.left, rect.bottom - rect.top};
}

void Form1Window::SetBounds(platform::PixelRect outer) {
  SetWindowPos(hwnd_, nullptr, outer.left, outer.top, outer.width, outer.height,
               SWP_NOZORDER | SWP_NOACTIVATE);
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

void Form1Window::SetRedraw(int controlId, bool on) {
  HWND control = Control(controlId);
  SendMessageW(control, WM_SETREDRAW, on ? TRUE : FALSE, 0);
  if (!on) return;
  // The frame holds the list's scroll bar, which the new entries may change;
  // the host field's frame is only its border.
  const UINT frame = controlId == IDC_List1 ? RDW_FRAME : 0;
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
  const auto shortcut = shortcutTexts_.find(menuId);
  const std::wstring text =
      CaptionWithShortcut(caption, shortcut == shortcutTexts_.end() ? std::wstring() : shortcut->second);
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
