// The notification icon's record and tooltip: the icon is added at start-up
// (and again by "Minimise to System Tray" or when the shell restarts), its
// tooltip rebuilt on every refresh, and it is removed at exit.
#pragma once
#include <string>

#include "platform/notify_icon.h"
#include "platform/string_table.h"
#include "platform/window_ops.h"
#include "settings/settings.h"

namespace tray {

// The tooltip field holds 63 characters and a terminating zero.
inline constexpr std::size_t kTrayTipLength = 63;

// The tooltip: with ShowIP 2 the caption of Label1 and the host name; else the
// caption of Label2 and the first address; else string 43 in the current
// language (noAddressTip in its place when given). Cut to 63 characters.
std::wstring ComposeTrayTip(const platform::WindowOps& window, const platform::StringTable& strings,
                            const settings::Settings& settings,
                            const wchar_t* noAddressTip = nullptr);

class TrayIcon {
 public:
  TrayIcon(platform::NotifyIcon& icon, const platform::WindowOps& window,
           const platform::StringTable& strings, const settings::Settings& settings)
      : icon_(icon), window_(window), strings_(strings), settings_(settings) {}

  // Adds the icon with a fresh tooltip ("Nqma Ip" for an empty list). The
  // shell refuses a second add: an existing icon stays as it is.
  void AddTrayIcon();
  // Rebuilds the tooltip and sends it; the icon added again when the shell
  // has lost it.
  void UpdateTrayIcon();
  // The shell has restarted and lost every icon: the icon back, with the
  // tooltip it had.
  void AddAgain();
  // The display's scale may have changed: the image follows the taskbar's.
  void FollowScale();
  // The icon leaves the notification area for good; later calls do nothing.
  void Remove();

 private:
  platform::NotifyIcon& icon_;
  const platform::WindowOps& window_;
  const platform::StringTable& strings_;
  const settings::Settings& settings_;
  void AddIcon();

  std::wstring tip_;
  // What the shell shows: whether it has the icon and the tooltip it last
  // took. A refused request changes neither.
  bool shown_ = false;
  std::wstring shownTip_;
  bool removed_ = false;
};

}  // namespace tray
