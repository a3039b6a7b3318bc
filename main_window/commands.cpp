// The main window's commands.
#include "main_window/commands.h"

#include "localization/language.h"
#include "resources/resource.h"
#include "tray/window_state.h"

namespace main_window {

bool CopyToClipboard(platform::Clipboard& clipboard, const std::wstring& text) {
  return clipboard.SetText(text);
}

bool CopyHostName(platform::WindowOps& window, platform::Clipboard& clipboard) {
  return CopyToClipboard(clipboard, window.Text(IDC_Text1));
}

bool Commands::Run(int commandId) {
  switch (commandId) {
    case IDM_mnuCopyHost:
    case IDM_mnuCHost:
    case IDM_mnuCopyHost2: CopyHostName(s_.window, s_.clipboard); break;
    case IDM_MnuCopyIP: CopyAddressBySelection(); break;
    case IDM_MnuCopyIP2: CopyFirstAddress(); break;
    case IDM_mnuCIP: CopySelectedAddress(); break;
    case IDM_mnuRefresh: s_.refresher.Refresh(); break;
    case IDM_mnuSet: s_.host.ShowSettings(); break;
    case IDM_mnuAbout: s_.host.ShowAbout(); break;
    case IDM_mnuExit:
    case IDM_mnuExit2: s_.host.Exit(); break;
    case IDM_MnuMinSys: tray::MinimiseToTray(s_.trayIcon, s_.window); break;
    case IDM_MnuMinTask: tray::MinimiseToTaskBar(s_.window); break;
    case IDM_mnuRestore: tray::RestoreWindow(s_.window); break;
    default: return false;
  }
  return true;
}

void Commands::CopyAddressBySelection() {
  const int count = s_.window.ListCount(IDC_List1);
  if (count == 0) return ShowError(IDS_NO_REGISTERED_IP);
  if (count == 1) {
    CopyToClipboard(s_.clipboard, s_.window.ListEntry(IDC_List1, 0));
    return;
  }
  const int selected = s_.window.ListSelection(IDC_List1);
  if (selected < 0) return ShowError(IDS_SELECT_IP);
  CopyToClipboard(s_.clipboard, s_.window.ListEntry(IDC_List1, selected));
}

void Commands::CopyFirstAddress() {
  if (s_.window.ListCount(IDC_List1) == 0) return ShowError(IDS_SELECT_IP);
  CopyToClipboard(s_.clipboard, s_.window.ListEntry(IDC_List1, 0));
}

void Commands::CopySelectedAddress() {
  // A tick may have refilled the list while its menu was open: with the
  // selection gone, the clipboard keeps what it held.
  const int selected = s_.window.ListSelection(IDC_List1);
  if (selected < 0 || selected >= s_.window.ListCount(IDC_List1)) return;
  CopyToClipboard(s_.clipboard, s_.window.ListEntry(IDC_List1, selected));
}

void Commands::ShowError(int englishId) {
  localization::ShowStringMessage(s_.messages, s_.strings, englishId, s_.settings.Language);
}

}  // namespace main_window
