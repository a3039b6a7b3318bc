// The notification icon's record and tooltip.
#include "tray/tray_icon.h"

#include "localization/fixed_texts.h"
#include "localization/language.h"
#include "resources/resource.h"

namespace tray {

namespace {

// Cut to the field, never between the two halves of a surrogate pair.
std::wstring CutToTipField(std::wstring tip) {
  if (tip.size() <= kTrayTipLength) return tip;
  std::size_t length = kTrayTipLength;
  const wchar_t last = tip[length - 1];
  if (last >= 0xD800 && last <= 0xDBFF) --length;
  tip.resize(length);
  return tip;
}

}  // namespace

std::wstring ComposeTrayTip(const platform::WindowOps& window, const platform::StringTable& strings,
                            const settings::Settings& settings, const wchar_t* noAddressTip) {
  std::wstring tip;
  if (settings.ShowIP == settings::kShowHostName) {
    tip = window.Text(IDC_Label1) + window.Text(IDC_Text1);
  } else if (window.ListCount(IDC_List1) >= 1) {
    tip = window.Text(IDC_Label2) + window.ListEntry(IDC_List1, 0);
  } else if (noAddressTip != nullptr) {
    tip = noAddressTip;
  } else {
    tip = localization::LookupString(strings, IDS_NO_REGISTERED_IP, settings.Language).value_or(L"");
  }
  return CutToTipField(std::move(tip));
}

void TrayIcon::AddTrayIcon() {
  if (removed_) return;
  tip_ = ComposeTrayTip(window_, strings_, settings_, localization::kNoAddressStartTip);
  AddIcon();
}

// Refused while the icon exists (minimising to the notification area with the
// icon there): the shell goes on showing what it showed.
void TrayIcon::AddIcon() {
  if (icon_.Add(tip_)) {
    shown_ = true;
    shownTip_ = tip_;
  }
}

// Every refresh tick asks for the tooltip again, mostly the one the shell
// shows already: sending it would cost the shell a redraw, so a request that
// changes nothing asks only whether the shell still has the icon. An icon
// the shell lost without telling (it started after the program, or its
// TaskbarCreated was missed) is added again, once a tick, while a shell is
// there to take it.
void TrayIcon::UpdateTrayIcon() {
  if (removed_) return;
  tip_ = ComposeTrayTip(window_, strings_, settings_);
  const bool unchanged = shown_ && tip_ == shownTip_;
  shown_ = unchanged ? icon_.Check() : icon_.Modify(tip_);
  if (shown_) {
    shownTip_ = tip_;
  } else if (icon_.ShellPresent()) {
    AddIcon();
  }
}

void TrayIcon::AddAgain() {
  if (removed_) return;
  AddIcon();
}

void TrayIcon::FollowScale() {
  if (shown_) icon_.FollowScale();
}

void TrayIcon::Remove() {
  if (removed_) return;
  removed_ = true;
  shown_ = false;
  icon_.Delete();
}

}  // namespace tray
