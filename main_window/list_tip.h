// The address list's hover tip on Win32: a standard tooltip control owned by
// the main window, made when the pointer first moves over the list, showing
// for the entry under the pointer whatever the logic says of it. The tip
// text is asked for only when the tip is about to show.
#pragma once
#include <windows.h>

#include <commctrl.h>

#include <string>

#include "main_window/form1_events.h"

namespace main_window {

class ListTip {
 public:
  ListTip() = default;
  ListTip(const ListTip&) = delete;
  ListTip& operator=(const ListTip&) = delete;

  // A mouse message of the list, from its window procedure; the first makes
  // the tip, owned by owner.
  void Relay(HWND owner, HWND list, UINT message, WPARAM wParam, LPARAM lParam);
  // TTN_GETDISPINFO from the tip: the text of the entry under the pointer.
  bool OnGetDispInfo(NMHDR& header, Form1Events& events);
  // The list has new entries: while the tip shows, it follows them once the
  // refill's message is over (WM_APP_LIST_TIP_FOLLOW).
  void OnListRefilled() const;
  void Follow();

 private:
  // The tip shown anew for entry_, or hidden.
  void ShowEntry();
  TTTOOLINFOW Tool() const;
  bool Showing() const { return tip_ != nullptr && IsWindowVisible(tip_); }
  static int EntryAt(HWND list, POINT client);

  HWND owner_ = nullptr;
  HWND list_ = nullptr;
  HWND tip_ = nullptr;  // owned by owner_: destroyed with it
  int entry_ = -1;      // under the pointer, or -1
  std::wstring text_;   // what the tip shows, while it shows it
};

}  // namespace main_window
