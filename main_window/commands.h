// The main window's commands: those of its menu bar and shortcut keys, of
// the tray menu and of the two field menus.
#pragma once
#include <string>

#include "platform/clipboard.h"
#include "platform/message_box.h"
#include "platform/string_table.h"
#include "platform/window_ops.h"
#include "settings/settings.h"
#include "tray/refresh.h"
#include "tray/tray_icon.h"

namespace main_window {

// Empty the clipboard, then place text on it as plain text. Every copy does
// exactly this. False when the clipboard stayed held by another program.
bool CopyToClipboard(platform::Clipboard& clipboard, const std::wstring& text);

// Copy Host Name: the text of Text1, as it stands (an empty field gives an
// empty text).
bool CopyHostName(platform::WindowOps& window, platform::Clipboard& clipboard);

// What the commands leave to the program around the main window.
class CommandHost {
 public:
  virtual ~CommandHost() = default;
  virtual void Exit() = 0;           // ExitRequested, then the close request
  virtual void ShowSettings() = 0;   // modal; returns when the dialog closes
  virtual void ShowAbout() = 0;      // modal; returns when the window closes
};

struct CommandServices {
  platform::WindowOps& window;
  platform::Clipboard& clipboard;
  platform::MessageBoxOps& messages;
  const platform::StringTable& strings;
  const settings::Settings& settings;
  tray::TrayIcon& trayIcon;
  tray::Refresher& refresher;
  CommandHost& host;
};

class Commands {
 public:
  explicit Commands(const CommandServices& services) : s_(services) {}
  // False for an id that is no command of the main window.
  bool Run(int commandId);

 private:
  void CopyAddressBySelection();  // MnuCopyIP
  void CopyFirstAddress();        // MnuCopyIP2
  void CopySelectedAddress();     // mnuCIP
  // Strings 43 and 45 in the current language, titled string 44, error icon.
  void ShowError(int englishId);

  CommandServices s_;
};

}  // namespace main_window
