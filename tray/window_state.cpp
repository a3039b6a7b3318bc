// The notification icon's mouse events and the window-state commands.
#include "tray/window_state.h"

#include "resources/resource.h"

namespace tray {

using platform::ShowState;

void OnTrayNotify(int mouseMessage, platform::WindowOps& window) {
  switch (mouseMessage) {
    case kIconLeftDoubleClick:
      RestoreWindow(window);
      break;
    case kIconRightButtonUp:
      // In the foreground first, or the menu would not close when the user
      // clicks elsewhere.
      window.BringToForeground();
      window.OpenPopupMenu(POPUP_POS_mPopupSys, window.CursorPosition(), IDM_mnuRestore);
      break;
    default:
      break;
  }
}

void MinimiseToTray(TrayIcon& trayIcon, platform::WindowOps& window) {
  trayIcon.AddTrayIcon();
  // Minimised before it is hidden: minimising shows a hidden window again.
  window.SetShowState(ShowState::Minimized);
  window.SetShowState(ShowState::Hidden);
}

void MinimiseToTaskBar(platform::WindowOps& window) { window.SetShowState(ShowState::Minimized); }

void RestoreWindow(platform::WindowOps& window) {
  window.SetShowState(ShowState::Normal);
  window.BringToForeground();
  window.Show();
}

}  // namespace tray
