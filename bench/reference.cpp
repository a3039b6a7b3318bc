// The benchmark's reference, the floor under Adrelo Viewer: one window of the
// main window's size with an edit and a list box, filled from one
// gethostname and one gethostbyname, then shown. Every WM_TIMER repeats the
// gethostbyname of the same name and nothing else: the bare cost of a
// refresh. Built bare, and again with Adrelo's manifest.
#include "bench/bench_window.h"
#include "resources/resource.h"

namespace {

char hostName[bench::kHostNameSize];

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
  HWND window = bench::CreateMainWindow(instance, WindowProc, L"Reference", nullptr);
  if (window == nullptr) return 1;
  HWND edit = bench::CreateControl(window, instance, IDC_Text1, L"EDIT", ES_AUTOHSCROLL | ES_READONLY,
                                   WS_EX_CLIENTEDGE);
  HWND list = bench::CreateControl(window, instance, IDC_List1, L"LISTBOX",
                                   WS_VSCROLL | LBS_NOINTEGRALHEIGHT, WS_EX_CLIENTEDGE);
  if (gethostname(hostName, bench::kHostNameSize) == 0) {
    if (const hostent* host = gethostbyname(hostName)) bench::ShowAnswer(edit, list, hostName, *host);
  }
  ShowWindow(window, SW_SHOWNORMAL);
  bench::RunMessageLoop(window, nullptr);
  WSACleanup();
  return 0;
}
