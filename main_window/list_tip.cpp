// The address list's hover tip on Win32.
#include "main_window/list_tip.h"

#include <commctrl.h>
#include <windowsx.h>

#include "resources/resource.h"

namespace main_window {

namespace {

// Wide enough for most adapters' descriptions on one line (pixels at 96 dpi);
// longer lines wrap.
constexpr int kTipMaxWidth96 = 400;
// The longest time a tooltip takes (a 16-bit count of milliseconds).
constexpr int kTipShownMs = 32767;

}  // namespace

void ListTip::Relay(HWND owner, HWND list, UINT message, WPARAM wParam, LPARAM lParam) {
  if (tip_ == nullptr) {
    owner_ = owner;
    list_ = list;
    const INITCOMMONCONTROLSEX classes{sizeof(INITCOMMONCONTROLSEX), ICC_WIN95_CLASSES};
    InitCommonControlsEx(&classes);
    tip_ = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr,
                           WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, CW_USEDEFAULT, CW_USEDEFAULT,
                           CW_USEDEFAULT, CW_USEDEFAULT, owner, nullptr, nullptr, nullptr);
    if (tip_ == nullptr) return;
    TTTOOLINFOW tool = Tool();
    SendMessageW(tip_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
    // Several lines, broken where the text breaks them.
    HDC screen = GetDC(nullptr);
    const int width = MulDiv(kTipMaxWidth96, GetDeviceCaps(screen, LOGPIXELSX), USER_DEFAULT_SCREEN_DPI);
    ReleaseDC(nullptr, screen);
    SendMessageW(tip_, TTM_SETMAXTIPWIDTH, 0, width);
    // Several lines take longer to read than the usual five seconds: the tip
    // stays while the pointer rests (and follows the list's refills).
    SendMessageW(tip_, TTM_SETDELAYTIME, TTDT_AUTOPOP, MAKELPARAM(kTipShownMs, 0));
  }
  if (message == WM_MOUSEMOVE) {
    // One tool for the whole list: moved to another entry, the tip shown
    // changes its text; hidden, it asks for the text when it shows again.
    const int entry = EntryAt(list, {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
    if (entry != entry_) {
      entry_ = entry;
      if (Showing()) ShowEntry();
    }
  }
  MSG relayed{list, message, wParam, lParam, static_cast<DWORD>(GetMessageTime()), {}};
  const DWORD position = GetMessagePos();
  relayed.pt = {GET_X_LPARAM(position), GET_Y_LPARAM(position)};
  SendMessageW(tip_, TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&relayed));
}

bool ListTip::OnGetDispInfo(NMHDR& header, Form1Events& events) {
  if (tip_ == nullptr || header.hwndFrom != tip_ || header.code != TTN_GETDISPINFOW) return false;
  auto& info = reinterpret_cast<NMTTDISPINFOW&>(header);
  // Empty: no tip. The text must outlive this message.
  text_ = entry_ >= 0 ? events.OnListTip(entry_) : std::wstring();
  info.lpszText = text_.data();
  info.hinst = nullptr;
  return true;
}

void ListTip::OnListRefilled() const {
  if (Showing()) PostMessageW(owner_, WM_APP_LIST_TIP_FOLLOW, 0, 0);
}

void ListTip::Follow() {
  if (!Showing()) return;
  POINT pointer{};
  GetCursorPos(&pointer);
  ScreenToClient(list_, &pointer);
  entry_ = EntryAt(list_, pointer);
  ShowEntry();
}

// Setting the text to the callback again makes the shown tip ask for it
// (TTM_UPDATE only repaints under Wine); it hides when there is none.
void ListTip::ShowEntry() {
  text_.clear();
  if (entry_ >= 0) {
    TTTOOLINFOW tool = Tool();
    SendMessageW(tip_, TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&tool));
  }
  if (text_.empty()) SendMessageW(tip_, TTM_POP, 0, 0);
}

TTTOOLINFOW ListTip::Tool() const {
  TTTOOLINFOW tool{};
  tool.cbSize = TTTOOLINFOW_V1_SIZE;
  tool.uFlags = TTF_IDISHWND;
  tool.hwnd = owner_;
  tool.uId = reinterpret_cast<UINT_PTR>(list_);
  tool.lpszText = LPSTR_TEXTCALLBACKW;
  return tool;
}

int ListTip::EntryAt(HWND list, POINT client) {
  RECT area{};
  GetClientRect(list, &area);
  if (!PtInRect(&area, client)) return -1;
  const LRESULT found = SendMessageW(list, LB_ITEMFROMPOINT, 0, MAKELPARAM(client.x, client.y));
  // The high word is set when the point is below the last entry.
  return HIWORD(found) != 0 ? -1 : static_cast<int>(LOWORD(found));
}

}  // namespace main_window
