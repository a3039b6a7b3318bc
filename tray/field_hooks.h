// Replacement window procedures of the host field and the address list,
// which give them the program's own right-click menus. Installed once at
// start-up and removed once at exit.
#pragma once

namespace tray {

class FieldHooks {
 public:
  virtual ~FieldHooks() = default;
  virtual void HookText1() = 0;
  virtual void HookList1() = 0;
  virtual void UnhookList1() = 0;
  virtual void UnhookText1() = 0;
};

}  // namespace tray
