// The program's icon in the notification area.
#pragma once

namespace tray {

class TrayIcon {
 public:
  virtual ~TrayIcon() = default;
  virtual void AddTrayIcon() = 0;
};

}  // namespace tray
