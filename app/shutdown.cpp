// The main window's close handling: hide to the notification area, or the
// exit path that saves the settings and releases what start-up set up.
#include <string>

#include "app/form1.h"
#include "app/placement.h"
#include "platform/twips.h"
#include "lookup/host_lookup.h"
#include "settings/registry_ops.h"
#include "settings/settings_store.h"

namespace app {

using main_window::CloseAction;
using namespace settings;

CloseAction Form1::OnCloseRequest() {
  if (exited_) return CloseAction::CloseWindow;
  if (settings_.CloseMin == kCloseHides && !exitRequested_) {
    trayIcon_.UpdateTrayIcon();
    s_.window.SetShowState(platform::ShowState::Hidden);
    return CloseAction::KeepRunning;
  }
  return RunExitPath();
}

// Whatever the window's state and the close setting: with the window only
// hidden, the settings of the run would be lost at every log-off.
CloseAction Form1::OnEndSession() {
  if (exited_) return CloseAction::CloseWindow;
  return RunExitPath();
}

void Form1::Exit() {
  exitRequested_ = true;
  // The close request, as any other; the shell destroys the window when told.
  s_.window.RequestClose();
}

CloseAction Form1::RunExitPath() {
  exited_ = true;
  SaveSettings();
  if (!lookup::SocketsCleanup(s_.sockets, s_.messages)) return CloseAction::EndProcessNow;
  s_.hooks.UnhookList1();
  s_.hooks.UnhookText1();
  trayIcon_.Remove();
  return CloseAction::CloseWindow;
}

void Form1::SaveSettings() {
  auto write = [&](const StoredValue& value, std::int32_t number) {
    SetRegValue(s_.registry, platform::kHkeyCurrentUser, kSettingsKeyPath, value.name,
                std::to_string(number));
  };
  write(kLanguageValue, settings_.Language);
  write(kShowIpValue, settings_.ShowIP);
  write(kTipWindowValue, settings_.Tip_Window);
  write(kCopyInfoValue, settings_.CopyInfo);
  write(kStartWithWinValue, settings_.Start_with_Win);
  write(kCloseMinValue, settings_.CloseMin);
  // The normal position, not the far-off placeholder of a minimised window,
  // so the next start puts the window back where the user left it.
  // In the screen's scale, as the next start reads it, whatever monitor the
  // window is on now.
  const int dpi = s_.window.ScreenDpi();
  const platform::PixelPoint position = s_.window.NormalPosition();
  write(kLeftValue, platform::PixelsToTwips(position.x, dpi));
  write(kTopValue, platform::PixelsToTwips(position.y, dpi));
}

}  // namespace app
