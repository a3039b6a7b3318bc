// The benchmark's reference, the floor under Adrelo Viewer: one window of the
// main window's size with an edit and a list box, filled from one
// gethostname and one gethostbyname, then shown. Every WM_TIMER repeats the
// gethostbyname of the same name and nothing else: the bare cost of a
// refresh. Built bare, and again with Adrelo's manifest.
#include <winsock.h>

#include <windows.h>

#include "main_window/layout.h"
#include "resources/resource.h"

namespace {

constexpr wchar_t kClassName[] = L"AdreloBenchReference";
constexpr DWORD kFrameStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
constexpr int kTwipsPerPixel = 15;  // at 96 dpi, the benchmark's
constexpr int kHostNameSize = 256;
constexpr int kAddressTextSize = 16;

char hostName[kHostNameSize];

int Pixels(int twips) { return twips / kTwipsPerPixel; }

HWND CreateControl(HWND parent, HINSTANCE instance, const wchar_t* className, DWORD style,
                   int controlId) {
  for (const main_window::ControlLayout& control : main_window::kControls) {
    if (control.id != controlId) continue;
    return CreateWindowExW(WS_EX_CLIENTEDGE, className, L"", WS_CHILD | WS_VISIBLE | style,
                           Pixels(control.bounds.left), Pixels(control.bounds.top),
                           Pixels(control.bounds.width), Pixels(control.bounds.height), parent,
                           reinterpret_cast<HMENU>(static_cast<INT_PTR>(controlId)), instance,
                           nullptr);
  }
  return nullptr;
}

void Fill(HWND edit, HWND list) {
  if (gethostname(hostName, kHostNameSize) != 0) return;
  const hostent* host = gethostbyname(hostName);
  if (host == nullptr) return;
  wchar_t text[kHostNameSize];
  MultiByteToWideChar(CP_ACP, 0, hostName, -1, text, kHostNameSize);
  SetWindowTextW(edit, text);
  for (char** address = host->h_addr_list; *address != nullptr; ++address) {
    in_addr bytes;
    CopyMemory(&bytes, *address, sizeof bytes);
    wchar_t entry[kAddressTextSize];
    MultiByteToWideChar(CP_ACP, 0, inet_ntoa(bytes), -1, entry, kAddressTextSize);
    SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(entry));
  }
}

LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_TIMER:
      gethostbyname(hostName);
      return 0;
    case WM_DESTROY:
      PostQuitMessage(0);
      return 0;
    default:
      return DefWindowProcW(window, message, wParam, lParam);
  }
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
  RECT outer{0, 0, Pixels(main_window::kClientWidthTwips), Pixels(main_window::kClientHeightTwips)};
  AdjustWindowRect(&outer, kFrameStyle, FALSE);
  HWND window = CreateWindowW(kClassName, L"Reference", kFrameStyle, CW_USEDEFAULT, CW_USEDEFAULT,
                              outer.right - outer.left, outer.bottom - outer.top, nullptr, nullptr,
                              instance, nullptr);
  if (window == nullptr) return 1;
  HWND edit = CreateControl(window, instance, L"EDIT", ES_AUTOHSCROLL | ES_READONLY, IDC_Text1);
  HWND list =
      CreateControl(window, instance, L"LISTBOX", WS_VSCROLL | LBS_NOINTEGRALHEIGHT, IDC_List1);
  Fill(edit, list);
  ShowWindow(window, SW_SHOWNORMAL);
  MSG message;
  while (GetMessageW(&message, nullptr, 0, 0) > 0) {
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  WSACleanup();
  return 0;
}
