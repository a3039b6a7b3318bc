// The benchmark's floors: the least a program must do to show what Adrelo
// Viewer shows, with Adrelo's resources and manifest. Built twice:
//  - the tick floor: the reference's window with its edit and list box in
//    Adrelo's font; every WM_TIMER does one lookup, then empties and refills
//    both controls, which repaint once;
//  - the start-up floor (ADRELO_BENCH_STARTUP_FLOOR): Adrelo's window as it
//    first shows, with its menu bar, accelerator table and four controls, and
//    a notification icon added before the window is shown.
#include <winsock.h>

#include <windows.h>

#include <shellapi.h>

#include "main_window/layout.h"
#include "resources/resource.h"

namespace {

// The probe finds every reference by this class.
constexpr wchar_t kClassName[] = L"AdreloBenchReference";
constexpr DWORD kFrameStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
constexpr int kDpi = 96;  // the benchmark's
constexpr int kTwipsPerPixel = 15;
constexpr int kPointsPerInch = 72;
constexpr int kHostNameSize = 256;
constexpr int kAddressTextSize = 16;
constexpr int kLabelTextSize = 64;
constexpr UINT kTrayIconId = 1;
constexpr UINT kTrayMessage = WM_APP + 1;
constexpr bool kStartupFloor =
#ifdef ADRELO_BENCH_STARTUP_FLOOR
    true;
#else
    false;
#endif

char hostName[kHostNameSize];
HWND edit, list;
NOTIFYICONDATAW icon{};

int Pixels(int twips) { return twips / kTwipsPerPixel; }

HWND CreateControl(HWND parent, HINSTANCE instance, int controlId, const wchar_t* className,
                   DWORD style, DWORD exStyle, HFONT font, const wchar_t* text = L"") {
  for (const main_window::ControlLayout& control : main_window::kControls) {
    if (control.id != controlId) continue;
    HWND child = CreateWindowExW(exStyle, className, text, WS_CHILD | WS_VISIBLE | style,
                                 Pixels(control.bounds.left), Pixels(control.bounds.top),
                                 Pixels(control.bounds.width), Pixels(control.bounds.height),
                                 parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(controlId)),
                                 instance, nullptr);
    SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    return child;
  }
  return nullptr;
}

// The answer shown: both controls emptied and filled again.
void Show(const hostent* host) {
  wchar_t text[kHostNameSize];
  MultiByteToWideChar(CP_ACP, 0, hostName, -1, text, kHostNameSize);
  SetWindowTextW(edit, L"");
  SetWindowTextW(edit, text);
  SendMessageW(list, LB_RESETCONTENT, 0, 0);
  for (char** address = host->h_addr_list; *address != nullptr; ++address) {
    in_addr bytes;
    CopyMemory(&bytes, *address, sizeof bytes);
    wchar_t entry[kAddressTextSize];
    MultiByteToWideChar(CP_ACP, 0, inet_ntoa(bytes), -1, entry, kAddressTextSize);
    SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(entry));
  }
}

void LookUp() {
  if (const hostent* host = gethostbyname(hostName)) Show(host);
}

LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_TIMER: LookUp(); return 0;
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
  CreateControl(window, instance, controlId, L"STATIC", SS_RIGHT, 0, font, text);
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
  WNDCLASSW windowClass{};
  windowClass.lpfnWndProc = WindowProc;
  windowClass.hInstance = instance;
  windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  windowClass.lpszClassName = kClassName;
  RegisterClassW(&windowClass);
  HMENU menu = kStartupFloor ? LoadMenuW(instance, MAKEINTRESOURCEW(IDR_MAINMENU)) : nullptr;
  HACCEL accelerators =
      kStartupFloor ? LoadAcceleratorsW(instance, MAKEINTRESOURCEW(IDR_ACCELERATORS)) : nullptr;
  RECT outer{0, 0, Pixels(main_window::kClientWidthTwips), Pixels(main_window::kClientHeightTwips)};
  AdjustWindowRect(&outer, kFrameStyle, menu != nullptr);
  HWND window = CreateWindowW(kClassName, L"Floor", kFrameStyle, CW_USEDEFAULT, CW_USEDEFAULT,
                              outer.right - outer.left, outer.bottom - outer.top, nullptr, menu,
                              instance, nullptr);
  if (window == nullptr) return 1;
  HFONT font = CreateFontW(-MulDiv(main_window::kControlFontPoints, kDpi, kPointsPerInch), 0, 0, 0,
                           FW_BOLD, FALSE, FALSE, FALSE, RUSSIAN_CHARSET, OUT_DEFAULT_PRECIS,
                           CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE,
                           main_window::kControlFontFace);
  if (kStartupFloor) AddLabel(window, instance, IDC_Label1, IDS_HOST_NAME_LABEL, font);
  edit = CreateControl(window, instance, IDC_Text1, L"EDIT", ES_AUTOHSCROLL | ES_READONLY,
                       WS_EX_CLIENTEDGE, font);
  if (kStartupFloor) AddLabel(window, instance, IDC_Label2, IDS_IP_ADDRESS_LABEL, font);
  list = CreateControl(window, instance, IDC_List1, L"LISTBOX", WS_VSCROLL | LBS_NOINTEGRALHEIGHT,
                       WS_EX_CLIENTEDGE, font);
  if (gethostname(hostName, kHostNameSize) == 0) LookUp();
  if (kStartupFloor) AddTrayIcon(window, instance);
  SetTimer(window, IDT_Timer1, TIMER1_INTERVAL_MS, nullptr);
  ShowWindow(window, SW_SHOWNORMAL);
  MSG message;
  while (GetMessageW(&message, nullptr, 0, 0) > 0) {
    if (accelerators != nullptr && TranslateAcceleratorW(window, accelerators, &message)) continue;
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  if (icon.hIcon != nullptr) DestroyIcon(icon.hIcon);
  DeleteObject(font);
  WSACleanup();
  return 0;
}
