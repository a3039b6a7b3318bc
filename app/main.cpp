// Adrelo Viewer: shows the computer's host name and its IPv4 addresses.
// Entry point: builds the Win32 services, the main window and its logic,
// runs start-up and then the message loop.
#include <windows.h>
#include <commctrl.h>

#include <cstdlib>

#include "app/form1.h"
#include "app/modal_windows_win32.h"
#include "app/single_instance.h"
#include "main_window/form1_window.h"
#include "platform/win32/adapters_win32.h"
#include "platform/win32/clipboard_win32.h"
#include "platform/win32/locale_win32.h"
#include "platform/win32/message_box_win32.h"
#include "platform/win32/notify_icon_win32.h"
#include "platform/win32/registry_win32.h"
#include "platform/win32/session_copies_win32.h"
#include "platform/win32/sockets_win32.h"
#include "platform/win32/string_table_win32.h"
#include "resources/resource.h"

namespace {

// Exit code when the sockets library fails and the process ends at once.
constexpr UINT kExitSocketsFailed = 1;

int RunMessageLoop(const main_window::Form1Window& window) {
  MSG message{};
  while (GetMessageW(&message, nullptr, 0, 0) > 0) {
    if (window.TranslateShortcut(message)) continue;
    // Tab moves between the address list and the host field.
    if (window.hwnd() != nullptr && IsDialogMessageW(window.hwnd(), &message)) continue;
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  return static_cast<int>(message.wParam);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
  // Before anything is read or shown: a copy already running in this
  // session has been asked to come forward, and this one ends.
  platform::win32::Win32SessionCopies copies(main_window::kForm1ClassName);
  if (app::DecideStart(copies) == app::StartDecision::End) return EXIT_SUCCESS;

  const INITCOMMONCONTROLSEX controls{sizeof(INITCOMMONCONTROLSEX), ICC_STANDARD_CLASSES};
  InitCommonControlsEx(&controls);

  platform::win32::Win32Registry registry;
  platform::win32::Win32Sockets sockets;
  platform::win32::Win32Clipboard clipboard;
  platform::win32::Win32Locale locale;
  platform::win32::Win32MessageBox messages;
  const platform::win32::Win32StringTable strings(instance);

  main_window::Form1Window window(instance);
  if (!window.Create()) return EXIT_FAILURE;
  clipboard.SetOwner(window.hwnd());
  messages.SetOwner(window.hwnd());
  platform::win32::Win32NotifyIcon notifyIcon(window.hwnd(), TRAY_ICON_UID, WM_APP_TRAY_NOTIFY,
                                              instance);

  app::Win32ModalWindows modalWindows(instance, window.hwnd(), registry, strings);

  // Reads nothing, and loads no library, until the address list's tip asks
  // or the name service answers with two addresses or more.
  platform::win32::Win32AdapterSource adapters;

  app::Form1 form1({registry, sockets, clipboard, locale, messages, strings, window, window,
                    notifyIcon, modalWindows, adapters});
  window.SetEvents(&form1);
  // A failure of the sockets library has been shown; nothing more of the
  // program runs and nothing is saved.
  if (form1.Load() == app::LoadOutcome::EndProcess) ExitProcess(kExitSocketsFailed);
  return RunMessageLoop(window);
}
