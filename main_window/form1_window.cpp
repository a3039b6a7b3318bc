// The main window on Win32: its creation and the messages it hands on.
#include "main_window/form1_window.h"

#include <windowsx.h>

#include <iterator>
#include <optional>
#include <utility>
#include <vector>

#include "localization/fixed_texts.h"
#include "localization/language.h"
#include "main_window/accelerator_text.h"
#include "main_window/layout.h"
#include "platform/twips.h"
#include "platform/win32/base_dialog.h"
#include "platform/win32/dpi.h"
#include "platform/win32/session_copies_win32.h"
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

// Exit code when the sockets library fails to stop and the process ends at once.
constexpr UINT kExitSocketsFailed = 1;
// WM_CONTEXTMENU's point when the keyboard asked for the menu.
constexpr LPARAM kContextMenuFromKeyboard = -1;

}  // namespace

Form1Window::~Form1Window() {
  if (hwnd_ != nullptr) DestroyWindow(hwnd_);
  // The class's icons are this window's, and go with it.
  if (classRegistered_) UnregisterClassW(kForm1ClassName, instance_);
}

bool Form1Window::TranslateShortcut(MSG& message) const {
  return hwnd_ != nullptr && IsWindowVisible(hwnd_) &&
         TranslateAcceleratorW(hwnd_, accelerators_.get(), &message) != 0;
}

bool Form1Window::Create() {
  dpi_ = screenDpi_ = platform::win32::SystemDpi();
  WNDCLASSEXW windowClass{};
  windowClass.cbSize = sizeof(windowClass);
  windowClass.lpfnWndProc = WindowProc;
  windowClass.hInstance = instance_;
  windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  // Created at the system's DPI; a change of DPI gives the window its own.
  icons_.ForClass(windowClass, instance_, dpi_);
  windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  windowClass.lpszClassName = kForm1ClassName;
  if (RegisterClassExW(&windowClass) == 0) return false;
  classRegistered_ = true;

  taskbarCreatedMessage_ = RegisterWindowMessageW(L"TaskbarCreated");
  comeForwardMessage_ = RegisterWindowMessageW(platform::win32::kComeForwardMessage);
  popupMenus_.reset(LoadMenuW(instance_, MAKEINTRESOURCEW(IDR_POPUPMENUS)));
  accelerators_.reset(LoadAcceleratorsW(instance_, MAKEINTRESOURCEW(IDR_ACCELERATORS)));
  LoadShortcutTexts();

  // Created hidden at the top-left corner; start-up places it, captions it
  // and gives it its start state before it is first shown.
  HMENU menuBar = LoadMenuW(instance_, MAKEINTRESOURCEW(IDR_MAINMENU));
  const platform::PixelSize client = ClientSize(dpi_);
  const SIZE outer =
      platform::win32::OuterSizeForClient({client.width, client.height}, kFrameStyle, true, 0, dpi_);
  CreateWindowExW(0, kForm1ClassName, localization::kAppTitle, kFrameStyle, 0, 0, outer.cx, outer.cy,
                  nullptr, menuBar, instance_, this);
  if (hwnd_ == nullptr) {
    DestroyMenu(menuBar);
    return false;
  }
  // Run elevated (above Explorer's integrity level), the window would never
  // hear that the shell restarted, and the notification icon, the only way
  // back to a hidden window, would not come back.
  allowMessage_(hwnd_, taskbarCreatedMessage_, MSGFLT_ALLOW, nullptr);
  // Nor would a second start without elevation reach it.
  allowMessage_(hwnd_, comeForwardMessage_, MSGFLT_ALLOW, nullptr);
  // As a dialog does: the list's focus rectangle shows once the keyboard is
  // used (Tab), not on a window started with the mouse. (Wine's list box
  // draws it whatever the state.)
  SendMessageW(hwnd_, WM_CHANGEUISTATE, MAKEWPARAM(UIS_INITIALIZE, 0), 0);
  return true;
}

LRESULT Form1Window::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  // A registered message has no constant to switch on.
  if (message == taskbarCreatedMessage_ && message != 0) return OnTaskbarCreated();
  if (message == comeForwardMessage_ && message != 0) return OnComeForward();
  switch (message) {
    case WM_CREATE: return OnCreate();
    case WM_ACTIVATE: return OnActivate(wParam, lParam);
    case WM_SETFOCUS: return OnSetFocus();
    case WM_DPICHANGED: return OnDpiChanged(wParam, lParam);
    case platform::win32::kGetDpiScaledSizeMessage: return OnGetDpiScaledSize(static_cast<int>(wParam), *reinterpret_cast<SIZE*>(lParam));
    // The taskbar may now be at another scale.
    case WM_SETTINGCHANGE: case WM_DISPLAYCHANGE: return OnScaleMayHaveChanged(message, wParam, lParam);
    case WM_CTLCOLORSTATIC: return OnCtlColorStatic(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam));
    case WM_SYSCOMMAND: return OnSysCommand(wParam, lParam);
    case WM_COMMAND: return OnCommand(wParam, lParam);
    case WM_TIMER: return OnTimer(wParam);
    case WM_CLOSE: return OnClose();
    // Never block or delay the end of the session.
    case WM_QUERYENDSESSION: return TRUE;
    case WM_ENDSESSION: return OnEndSession(wParam != FALSE);
    case WM_APP_TRAY_NOTIFY: return OnTrayNotify(lParam);
    case WM_NOTIFY: return OnNotify(*reinterpret_cast<NMHDR*>(lParam));
    case WM_APP_LIST_TIP_FOLLOW: return OnListTipFollow();
    case WM_DESTROY: OnDestroy(); return 0;
    default: return DefaultHandling(message, wParam, lParam);
  }
}

LRESULT Form1Window::OnCreate() {
  HFONT font = FontForCharset(localization::kCharsetCyrillic);
  for (const ControlLayout& control : kControls) {
    const ControlClass kind = ClassOf(control.id);
    // At its place from the start: moved after, each would be laid out twice.
    const platform::PixelRect place = platform::win32::ControlPlace(control.bounds, dpi_);
    HWND child = CreateWindowExW(kind.exStyle, kind.className, L"", WS_CHILD | WS_VISIBLE | kind.style,
                                 place.left, place.top, place.width, place.height, hwnd_,
                                 reinterpret_cast<HMENU>(static_cast<INT_PTR>(control.id)), instance_, nullptr);
    if (child == nullptr) return -1;
    SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    controls_[&control - kControls] = child;
  }
  // Ticks from now on, in every state of the window, until it is destroyed.
  SetTimer(hwnd_, IDT_Timer1, TIMER1_INTERVAL_MS, nullptr);
  return 0;
}

// Leaving, the window remembers which field had the focus, to give it back.
LRESULT Form1Window::OnActivate(WPARAM wParam, LPARAM lParam) {
  HWND focus = GetFocus();
  if (LOWORD(wParam) == WA_INACTIVE && focus != nullptr && IsChild(hwnd_, focus)) {
    focusId_ = GetDlgCtrlID(focus);
  }
  return DefaultHandling(WM_ACTIVATE, wParam, lParam);
}

// Activated, the window takes the focus itself; it hands it on to a field,
// so that the first Tab moves on from the list, as in a dialog.
LRESULT Form1Window::OnSetFocus() {
  SetFocus(Control(focusId_));
  return 0;
}

LRESULT Form1Window::OnDpiChanged(WPARAM wParam, LPARAM lParam) {
  // Laid out for it already: start-up laid the window out at the DPI of the
  // monitor it then moved it to, at its size there.
  if (LOWORD(wParam) == dpi_) return 0;
  platform::win32::ChangeDpi(hwnd_, wParam, lParam, [this](int dpi) { LayOutAt(dpi); });
  if (events_ != nullptr) events_->OnScaleChanged();
  return 0;
}

// Asked before a move to a monitor of another DPI: the client area that DPI
// gives, in a frame of that DPI. Scaled whole by the ratio of the two DPIs,
// as Windows would otherwise scale it, the client area would come out a
// pixel or two off.
LRESULT Form1Window::OnGetDpiScaledSize(int dpi, SIZE& outer) {
  const platform::PixelSize size = OuterSizeForClient(ClientSize(dpi), dpi);
  outer = {size.width, size.height};
  return TRUE;
}

void Form1Window::LayOutAt(int dpi) {
  if (dpi == dpi_) return;
  dpi_ = dpi;
  PlaceControls();
  RemakeFonts();
  icons_.Apply(hwnd_, instance_, dpi_);
}

LRESULT Form1Window::OnScaleMayHaveChanged(UINT message, WPARAM wParam, LPARAM lParam) {
  if (events_ != nullptr) events_->OnScaleChanged();
  return DefaultHandling(message, wParam, lParam);
}

HWND Form1Window::Control(int controlId) const {
  for (std::size_t i = 0; i < std::size(kControls); ++i) {
    if (kControls[i].id == controlId) return controls_[i];
  }
  return nullptr;
}

void Form1Window::PlaceControls() {
  platform::win32::ControlPlacer placer(hwnd_, dpi_, static_cast<int>(std::size(kControls)));
  for (const ControlLayout& control : kControls) placer.Place(control.id, control.bounds);
}

// Without redrawing: the caller repaints the window once.
void Form1Window::RemakeFonts() {
  // The old fonts go once no control draws with them any more.
  const auto previousFonts = std::exchange(fonts_, {});
  for (const ControlLayout& control : kControls) {
    HWND child = Control(control.id);
    const int charset = platform::win32::FontCharsetOf(child);
    SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(FontForCharset(charset)), FALSE);
  }
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

namespace {

// The dialog open over owner (which it disables), if any: a visible window
// with a caption that owner owns. (Wine's GetLastActivePopup answers the
// owner itself for a dialog that lost the foreground.)
HWND OpenDialogOver(HWND owner) {
  if (IsWindowEnabled(owner)) return nullptr;
  for (HWND window = GetTopWindow(nullptr); window != nullptr; window = GetWindow(window, GW_HWNDNEXT)) {
    if (GetWindow(window, GW_OWNER) == owner && IsWindowVisible(window) && IsWindowEnabled(window) &&
        (GetWindowLongW(window, GWL_STYLE) & WS_CAPTION) == WS_CAPTION)
      return window;
  }
  return nullptr;
}

}  // namespace

LRESULT Form1Window::OnComeForward() {
  if (events_ == nullptr || !events_->OnComeForward()) return 0;
  // A dialog open over the window comes forward with it.
  if (HWND dialog = OpenDialogOver(hwnd_)) SetForegroundWindow(dialog);
  return platform::win32::kComeForwardAnswer;
}

LRESULT Form1Window::OnTaskbarCreated() {
  if (events_ != nullptr) events_->OnTaskbarCreated();
  return 0;
}

LRESULT Form1Window::OnNotify(NMHDR& header) {
  if (events_ == nullptr || !listTip_.OnGetDispInfo(header, *events_)) {
    return DefaultHandling(WM_NOTIFY, header.idFrom, reinterpret_cast<LPARAM>(&header));
  }
  return 0;
}

LRESULT Form1Window::OnListTipFollow() {
  listTip_.Follow();
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
  auto* window = reinterpret_cast<Form1Window*>(self);
  if (controlId == IDC_List1 && message >= WM_MOUSEFIRST && message <= WM_MOUSELAST) {
    window->listTip_.Relay(window->hwnd_, control, message, wParam, lParam);
  }
  std::optional<tray::FieldInput> input;
  if (message == WM_RBUTTONUP) input = tray::FieldInput::RightButtonUp;
  // The keyboard's ask for a menu, whichever key made it; taken here, it
  // never reaches the edit control's own menu, which would open at its centre.
  if (message == WM_CONTEXTMENU && lParam == kContextMenuFromKeyboard) input = tray::FieldInput::MenuKey;
  // Where the click was, not where the pointer has moved on to since.
  POINT pointer{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
  if (message == WM_RBUTTONUP) ::ClientToScreen(control, &pointer);
  if (input && window->events_ != nullptr &&
      window->events_->OnFieldInput(static_cast<int>(controlId), *input,
                                    {pointer.x, pointer.y})) {
    return 0;
  }
  return platform::win32::WindowSubclass::CallPrevious(control, message, wParam, lParam);
}

HFONT Form1Window::FontForCharset(int charset) {
  if (const auto* found = fonts_.Find(charset)) return found->get();
  const int height = -MulDiv(kControlFontPoints, dpi_, 72);
  HFONT font = CreateFontW(height, 0, 0, 0, FW_BOLD, FALSE, FALSE, FALSE,
                           static_cast<DWORD>(charset), OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                           DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, kControlFontFace);
  fonts_.Set(charset, platform::win32::UniqueFont(font));
  return font;
}

void Form1Window::LoadShortcutTexts() {
  if (!accelerators_) return;
  const int count = CopyAcceleratorTableW(accelerators_.get(), nullptr, 0);
  std::vector<ACCEL> entries(static_cast<std::size_t>(count));
  CopyAcceleratorTableW(accelerators_.get(), entries.data(), count);
  for (const ACCEL& entry : entries) {
    shortcutTexts_.Set(entry.cmd, ShortcutText({entry.fVirt, entry.key}));
  }
}

}  // namespace main_window
