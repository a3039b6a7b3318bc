// The main window's behaviour: start-up, the close handling with its two
// paths, and what each message of the window leads to, written over the
// platform interfaces. It keeps the state of the run: the settings record,
// ExitRequested, the notification icon and the refresh.
#pragma once
#include <cstdint>

#include "lookup/adapter_tip.h"
#include "lookup/address_order.h"
#include "main_window/commands.h"
#include "main_window/form1_events.h"
#include "platform/adapters.h"
#include "platform/clipboard.h"
#include "platform/locale.h"
#include "platform/message_box.h"
#include "platform/notify_icon.h"
#include "platform/registry.h"
#include "platform/sockets.h"
#include "platform/string_table.h"
#include "platform/window_ops.h"
#include "settings/form2.h"
#include "settings/settings.h"
#include "settings/settings_store.h"
#include "tray/field_hooks.h"
#include "tray/refresh.h"
#include "tray/tray_icon.h"

namespace app {

// The two windows that open modal to the main window; each call returns
// once its window has closed.
class ModalWindows {
 public:
  virtual ~ModalWindows() = default;
  virtual void ShowSettings(settings::Settings& settings, settings::Form2Host& host) = 0;
  virtual void ShowAbout(std::int16_t language) = 0;
};

struct Form1Services {
  platform::Registry& registry;
  platform::Sockets& sockets;
  platform::Clipboard& clipboard;
  platform::Locale& locale;
  platform::MessageBoxOps& messages;
  const platform::StringTable& strings;
  platform::WindowOps& window;
  tray::FieldHooks& hooks;
  platform::NotifyIcon& notifyIcon;
  ModalWindows& modalWindows;
  platform::AdapterSource& adapters;
};

enum class LoadOutcome {
  Running,     // the window has its start state; run the message loop
  EndProcess,  // the sockets library failed (its message was shown): end at once
};

class Form1 final : public main_window::Form1Events,
                    private main_window::CommandHost,
                    private settings::Form2Host {
 public:
  explicit Form1(const Form1Services& services);
  Form1(const Form1&) = delete;
  Form1& operator=(const Form1&) = delete;

  // Runs once, after the window and its controls exist and before it is
  // first shown: settings, placement, captions, lookup, copy at start, tray
  // icon and the start state.
  LoadOutcome Load();

  const settings::Settings& Settings() const { return settings_; }

  // main_window::Form1Events
  void OnCommand(int commandId) override { commands_.Run(commandId); }
  void OnTimer() override { refresher_.Tick(); }
  main_window::CloseAction OnCloseRequest() override;
  main_window::CloseAction OnEndSession() override;
  void OnTrayNotify(int mouseMessage) override;
  void OnTaskbarCreated() override { trayIcon_.AddAgain(); }
  void OnScaleChanged() override { trayIcon_.FollowScale(); }
  bool OnComeForward() override;
  bool OnFieldInput(int controlId, tray::FieldInput input, platform::PixelPoint pointer) override;
  std::wstring OnListTip(int entry) override;

 private:
  // main_window::CommandHost
  void Exit() override;
  void ShowSettings() override { s_.modalWindows.ShowSettings(settings_, *this); }
  void ShowAbout() override { s_.modalWindows.ShowAbout(settings_.Language); }

  // settings::Form2Host: what the settings dialog's Apply changes at once.
  void LoadSetings(std::int16_t charset, std::int16_t language) override;
  void UpdateTrayIcon() override { trayIcon_.UpdateTrayIcon(); }

  void ReadSettings(const settings::SettingsReader& stored);
  void PlaceWindow(const settings::SettingsReader& stored);
  void CopyAtStart();
  // Settings written, sockets stopped, hooks and icon removed; once only.
  main_window::CloseAction RunExitPath();
  void SaveSettings();

  Form1Services s_;
  settings::Settings settings_;
  bool exitRequested_ = false;  // ExitRequested: set by both Exit commands, never cleared
  bool exited_ = false;         // the exit path has run
  bool loaded_ = false;         // Load has given the window its start state
  bool comeForwardAsked_ = false;  // asked during Load: done once it has
  tray::TrayIcon trayIcon_;
  lookup::AddressOrder addressOrder_;
  lookup::AdapterTips adapterTips_;
  tray::Refresher refresher_;
  main_window::Commands commands_;
};

}  // namespace app
