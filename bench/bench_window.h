// What the benchmark's windowed programs (the reference and the floors)
// share: the class the probe finds them by, the main window's frame and
// control places at 96 dpi, the answer of a lookup put into the controls, and
// the message loop. Winsock's header comes first in each program.
#pragma once
#include <winsock.h>

#include <windows.h>

#include "main_window/layout.h"

namespace bench {

inline constexpr wchar_t kWindowClass[] = L"AdreloBenchReference";
inline constexpr int kHostNameSize = 256;

inline int Pixels(int twips) {
  constexpr int kTwipsPerPixel = 15;  // at 96 dpi, the benchmark's
  return twips / kTwipsPerPixel;
}

// The window of the main window's client size, its class registered first.
inline HWND CreateMainWindow(HINSTANCE instance, WNDPROC procedure, const wchar_t* title, HMENU menu) {
  constexpr DWORD kFrameStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
  WNDCLASSW windowClass{};
  windowClass.lpfnWndProc = procedure;
  windowClass.hInstance = instance;
  windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  windowClass.lpszClassName = kWindowClass;
  RegisterClassW(&windowClass);
  RECT outer{0, 0, Pixels(main_window::kClientWidthTwips), Pixels(main_window::kClientHeightTwips)};
  AdjustWindowRect(&outer, kFrameStyle, menu != nullptr);
  return CreateWindowW(kWindowClass, title, kFrameStyle, CW_USEDEFAULT, CW_USEDEFAULT,
                       outer.right - outer.left, outer.bottom - outer.top, nullptr, menu, instance,
                       nullptr);
}

// One of the main window's controls at its place; without a font, it keeps
// the system's.
inline HWND CreateControl(HWND parent, HINSTANCE instance, int controlId, const wchar_t* className,
                          DWORD style, DWORD exStyle, HFONT font = nullptr, const wchar_t* text = L"") {
  for (const main_window::ControlLayout& control : main_window::kControls) {
    if (control.id != controlId) continue;
    HWND child = CreateWindowExW(exStyle, className, text, WS_CHILD | WS_VISIBLE | style,
                                 Pixels(control.bounds.left), Pixels(control.bounds.top),
                                 Pixels(control.bounds.width), Pixels(control.bounds.height),
                                 parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(controlId)),
                                 instance, nullptr);
    if (font != nullptr) SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    return child;
  }
  return nullptr;
}

// The host name into the edit, an entry for each of host's addresses appended
// to the list.
inline void ShowAnswer(HWND edit, HWND list, const char* hostName, const hostent& host) {
  constexpr int kAddressTextSize = 16;
  wchar_t text[kHostNameSize];
  MultiByteToWideChar(CP_ACP, 0, hostName, -1, text, kHostNameSize);
  SetWindowTextW(edit, text);
  for (char** address = host.h_addr_list; *address != nullptr; ++address) {
    in_addr bytes;
    CopyMemory(&bytes, *address, sizeof bytes);
    wchar_t entry[kAddressTextSize];
    MultiByteToWideChar(CP_ACP, 0, inet_ntoa(bytes), -1, entry, kAddressTextSize);
    SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(entry));
  }
}

// Until WM_QUIT, the window's shortcut keys translated where it has any.
inline void RunMessageLoop(HWND window, HACCEL accelerators) {
  MSG message;
  while (GetMessageW(&message, nullptr, 0, 0) > 0) {
    if (accelerators != nullptr && TranslateAcceleratorW(window, accelerators, &message)) continue;
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
}

}  // namespace bench
