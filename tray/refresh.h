// The refresh of the host field and the address list: the tick of Timer1
// every five seconds, and the Refresh command.
#pragma once
#include "lookup/adapter_tip.h"
#include "lookup/address_order.h"
#include "platform/message_box.h"
#include "platform/sockets.h"
#include "platform/window_ops.h"
#include "tray/tray_icon.h"

namespace tray {

class Refresher {
 public:
  Refresher(platform::Sockets& sockets, platform::MessageBoxOps& messages,
            platform::WindowOps& window, TrayIcon& trayIcon, lookup::AddressOrder& addressOrder,
            lookup::AdapterTips& adapterTips)
      : sockets_(sockets),
        messages_(messages),
        window_(window),
        trayIcon_(trayIcon),
        addressOrder_(addressOrder),
        adapterTips_(adapterTips) {}

  // Timer1: both controls rebuilt from a new lookup, then the tooltip; the
  // list's hover tips read the adapters again when next asked for. The
  // adapters are read for the list's order only when the addresses changed.
  // A failure is reported only when the lookup before it succeeded, so a
  // lasting one is reported once, not every five seconds.
  void Tick();
  // Start-up and the Refresh command: the same rebuild without the tooltip;
  // the user asked for it, so the adapters are read again and a failure is
  // always reported.
  void Refresh();

 private:
  enum class Cause { Timer, UserAsked };
  // False while a lookup message is open: nothing is done then, so at most
  // one such message is ever open.
  bool Reload(Cause cause);

  platform::Sockets& sockets_;
  platform::MessageBoxOps& messages_;
  platform::WindowOps& window_;
  TrayIcon& trayIcon_;
  lookup::AddressOrder& addressOrder_;
  lookup::AdapterTips& adapterTips_;
  bool lastLookupSucceeded_ = true;
  bool messageOpen_ = false;
};

}  // namespace tray
