// The notification icon's mouse events and the commands that move the main
// window between its states: normal, minimised in the task bar, and hidden in
// the notification area.
#pragma once
#include "platform/window_ops.h"
#include "tray/tray_icon.h"

namespace tray {

// The mouse messages that the icon's callback carries in its lParam.
inline constexpr int kIconLeftDoubleClick = 0x0203;  // WM_LBUTTONDBLCLK
inline constexpr int kIconRightButtonUp = 0x0205;    // WM_RBUTTONUP

// A double click restores the window; a right-button release opens the tray
// menu at the pointer, "Restore" as its default. Every other event, a single
// click included, does nothing.
void OnTrayNotify(int mouseMessage, platform::WindowOps& window);

// Minimise to System Tray: the icon added again (it may have been lost),
// the window minimised and hidden, so it has no task-bar button.
void MinimiseToTray(TrayIcon& trayIcon, platform::WindowOps& window);
// Minimise to Task Bar: minimised, its task-bar button kept.
void MinimiseToTaskBar(platform::WindowOps& window);
// Restore, and the double click: normal, in the foreground, shown.
void RestoreWindow(platform::WindowOps& window);

}  // namespace tray
