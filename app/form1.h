// The main window's behaviour: its load handler (start-up) and the state it
// keeps for the run, written over the platform interfaces.
#pragma once
#include <cstdint>

#include "platform/clipboard.h"
#include "platform/locale.h"
#include "platform/message_box.h"
#include "platform/registry.h"
#include "platform/sockets.h"
#include "platform/string_table.h"
#include "platform/window_ops.h"
#include "settings/settings.h"
#include "tray/field_hooks.h"
#include "tray/tray_icon.h"

namespace app {

struct Form1Services {
  platform::Registry& registry;
  platform::Sockets& sockets;
  platform::Clipboard& clipboard;
  platform::Locale& locale;
  platform::MessageBoxOps& messages;
  const platform::StringTable& strings;
  platform::WindowOps& window;
  tray::FieldHooks& hooks;
  tray::TrayIcon& trayIcon;
};

enum class LoadOutcome {
  Running,     // the window has its start state; run the message loop
  EndProcess,  // the sockets library failed (its message was shown): end at once
};

class Form1 {
 public:
  explicit Form1(const Form1Services& services) : s_(services) {}

  // Runs once, after the window and its controls exist and before it is
  // first shown: settings, placement, captions, lookup, copy at start, tray
  // icon and the start state.
  LoadOutcome Load();

  const settings::Settings& Settings() const { return settings_; }
  settings::Settings& Settings() { return settings_; }  // for the settings dialog

 private:
  void ReadSettings();
  void PlaceWindow();
  void CopyAtStart();
  void ShowErrorMessage(int englishId);

  Form1Services s_;
  settings::Settings settings_;
};

}  // namespace app
