// The benchmark's floors: the least a program must do to show what Adrelo
// Viewer shows, with Adrelo's resources and manifest. Built twice:
//  - the tick floor: the reference's window with its edit and list box in
//    Adrelo's font; every WM_TIMER does one lookup, then empties and refills
//    both controls, which repaint once;
//  - the start-up floor (ADRELO_BENCH_STARTUP_FLOOR): Adrelo's window as it
//    first shows, with its menu bar, accelerator table and four controls, and
//    a notification icon added before the window is shown. Its ticks also
//    send the icon's tooltip again, as the answer shown there: so its ticks
//    are the floor of a tick with the icon.
#include "bench/bench_window.h"  // Winsock and windows.h, first

#include <shellapi.h>

#include "resources/resource.h"

namespace {

constexpr int kDpi = 96;  // the benchmark's
constexpr int kPointsPerInch = 72;
constexpr int kLabelTextSize = 64;
constexpr UINT kTrayIconId = 1;
constexpr UINT kTrayMessage = WM_APP + 1;
constexpr bool kStartupFloor =
#ifdef ADRELO_BENCH_STARTUP_FLOOR
    true;
#else
    false;
#endif

char hostName[bench::kHostNameSize];
HWND edit, list;
NOTIFYICONDATAW icon{};

// The answer shown: both controls emptied and filled again.
void Show(const hostent& host) {
  SetWindowTextW(edit, L"");
  SendMessageW(list, LB_RESETCONTENT, 0, 0);
  bench::ShowAnswer(edit, list, hostName, host);
}

void LookUp() {
  if (const hostent* host = gethostbyname(hostName)) Show(*host);
}

void Tick() {
  LookUp();
  if (icon.cbSize == 0) return;
  NOTIFYICONDATAW tip = icon;
  tip.uFlags = NIF_TIP;
  Shell_NotifyIconW(NIM_MODIFY, &tip);
}

LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_TIMER: Tick(); return 0;
    case WM_COMMAND:
      if (LOWORD(wParam) == IDM_mnuExit) DestroyWindow(window);
      return 0;
    case WM_DESTROY:
      if (icon.cbSize != 0) Shell_NotifyIconW(NIM_DELETE, &icon);
      PostQuitMessage(0);
      return 0;
    default: return DefWindowProcW(window, message, wParam, lParam);
  }
}

void AddLabel(HWND window, HINSTANCE instance, int controlId, UINT textId, HFONT font) {
  wchar_t text[kLabelTextSize] = {};
  LoadStringW(instance, textId, text, kLabelTextSize);
  bench::CreateControl(window, instance, controlId, L"STATIC", SS_RIGHT, 0, font, text);
}

void AddTrayIcon(HWND window, HINSTANCE instance) {
  icon.cbSize = sizeof icon;
  icon.hWnd = window;
  icon.uID = kTrayIconId;
  icon.uFlags = NIF_ICON | NIF_TIP | NIF_MESSAGE;
  icon.uCallbackMessage = kTrayMessage;
  const int side = GetSystemMetrics(SM_CXSMICON);
  icon.hIcon = static_cast<HICON>(
      LoadImageW(instance, MAKEINTRESOURCEW(IDI_ADRELO), IMAGE_ICON, side, side, 0));
  MultiByteToWideChar(CP_ACP, 0, hostName, -1, icon.szTip, ARRAYSIZE(icon.szTip));
  Shell_NotifyIconW(NIM_ADD, &icon);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
  WSADATA data;
  if (WSAStartup(MAKEWORD(1, 1), &data) != 0) return 1;
  HMENU menu = kStartupFloor ? LoadMenuW(instance, MAKEINTRESOURCEW(IDR_MAINMENU)) : nullptr;
  HACCEL accelerators =
      kStartupFloor ? LoadAcceleratorsW(instance, MAKEINTRESOURCEW(IDR_ACCELERATORS)) : nullptr;
  HWND window = bench::CreateMainWindow(instance, WindowProc, L"Floor", menu);
  if (window == nullptr) return 1;
  HFONT font = CreateFontW(-MulDiv(main_window::kControlFontPoints, kDpi, kPointsPerInch), 0, 0, 0,
                           FW_BOLD, FALSE, FALSE, FALSE, RUSSIAN_CHARSET, OUT_DEFAULT_PRECIS,
                           CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE,
                           main_window::kControlFontFace);
  if (kStartupFloor) AddLabel(window, instance, IDC_Label1, IDS_HOST_NAME_LABEL, font);
  edit = bench::CreateControl(window, instance, IDC_Text1, L"EDIT", ES_AUTOHSCROLL | ES_READONLY,
                              WS_EX_CLIENTEDGE, font);
  if (kStartupFloor) AddLabel(window, instance, IDC_Label2, IDS_IP_ADDRESS_LABEL, font);
  list = bench::CreateControl(window, instance, IDC_List1, L"LISTBOX",
                              WS_VSCROLL | LBS_NOINTEGRALHEIGHT, WS_EX_CLIENTEDGE, font);
  if (gethostname(hostName, bench::kHostNameSize) == 0) LookUp();
  if (kStartupFloor) AddTrayIcon(window, instance);
  SetTimer(window, IDT_Timer1, TIMER1_INTERVAL_MS, nullptr);
  ShowWindow(window, SW_SHOWNORMAL);
  bench::RunMessageLoop(window, accelerators);
  if (icon.hIcon != nullptr) DestroyIcon(icon.hIcon);
  DeleteObject(font);
  WSACleanup();
  return 0;
}
