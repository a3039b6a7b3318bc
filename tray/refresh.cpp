// The refresh of the host field and the address list.
#include "tray/refresh.h"

#include "localization/fixed_texts.h"
#include "lookup/host_lookup.h"
#include "resources/resource.h"

namespace tray {

void Refresher::Tick() {
  if (Reload(Cause::Timer)) trayIcon_.UpdateTrayIcon();
}

void Refresher::Refresh() { Reload(Cause::UserAsked); }

bool Refresher::Reload(Cause cause) {
  // A message box runs a modal loop in which ticks go on arriving.
  if (messageOpen_) return false;
  lookup::HostLookup lookup = lookup::LookUpHost(sockets_);
  addressOrder_.Arrange(lookup.addresses, cause == Cause::UserAsked);
  // The list is drawn once, when refilled: entry by entry its scroll bar
  // would come and go. The host field draws nothing before its next paint.
  window_.SetRedraw(IDC_List1, false);
  window_.ListClear(IDC_List1);
  window_.SetText(IDC_Text1, L"");
  lookup::ShowHostInfo(lookup, window_);
  adapterTips_.Invalidate();
  window_.SetRedraw(IDC_List1, true);

  const bool reportIt =
      !lookup.succeeded && (cause == Cause::UserAsked || lastLookupSucceeded_);
  lastLookupSucceeded_ = lookup.succeeded;
  if (reportIt) {
    messageOpen_ = true;
    messages_.Show(lookup.failureMessage, localization::kAppTitle, platform::MessageIcon::None);
    messageOpen_ = false;
  }
  return true;
}

}  // namespace tray
