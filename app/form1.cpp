// The main window's load handler and the messages it hands on.
#include "app/form1.h"

#include <vector>

#include "app/placement.h"
#include "platform/twips.h"
#include "localization/captions.h"
#include "localization/language.h"
#include "lookup/host_lookup.h"
#include "main_window/commands.h"
#include "main_window/layout.h"
#include "resources/resource.h"
#include "settings/registry_ops.h"
#include "settings/settings_store.h"
#include "tray/window_state.h"

namespace app {

using namespace settings;

Form1::Form1(const Form1Services& services)
    : s_(services),
      trayIcon_(s_.notifyIcon, s_.window, s_.strings, settings_),
      addressOrder_(s_.adapters),
      adapterTips_(s_.adapters),
      refresher_(s_.sockets, s_.messages, s_.window, trayIcon_, addressOrder_, adapterTips_),
      commands_({s_.window, s_.clipboard, s_.messages, s_.strings, settings_, trayIcon_, refresher_,
                 *this}) {}

LoadOutcome Form1::Load() {
  CreateRegKey(s_.registry, platform::kHkeyCurrentUser, kSettingsKeyPath);
  {  // the key open only while its values are read
    const SettingsReader stored(s_.registry);
    ReadSettings(stored);
    PlaceWindow(stored);
  }
  s_.hooks.HookText1();
  s_.hooks.HookList1();
  LoadSetings(localization::CharsetForLanguage(settings_.Language), settings_.Language);
  if (!lookup::SocketsInitialize(s_.sockets, s_.messages)) return LoadOutcome::EndProcess;
  refresher_.Refresh();
  CopyAtStart();
  trayIcon_.AddTrayIcon();
  switch (settings_.Tip_Window) {
    case kStartHidden: s_.window.SetShowState(platform::ShowState::Hidden); break;
    case kStartMinimized: s_.window.SetShowState(platform::ShowState::Minimized); break;
    default: s_.window.SetShowState(platform::ShowState::Normal); break;
  }
  loaded_ = true;
  if (comeForwardAsked_) tray::RestoreWindow(s_.window);
  return LoadOutcome::Running;
}

// As a double click on the icon does, whatever the window's state. Asked
// while Load runs (a message box of its own, or the shell, lets the ask in),
// it waits for the start state, which would otherwise undo it.
bool Form1::OnComeForward() {
  if (exited_) return false;
  if (!loaded_) {
    comeForwardAsked_ = true;
    return true;
  }
  tray::RestoreWindow(s_.window);
  return true;
}

void Form1::ReadSettings(const SettingsReader& stored) {
  const std::int16_t storedLanguage = stored.ReadInt16(kLanguageValue);
  settings_.Language = localization::StartLanguage(storedLanguage, s_.locale.ThreadLocale());
  settings_.ShowIP = OneUnlessWithin(stored.ReadInt16(kShowIpValue), kShowHostName);
  settings_.Tip_Window = OneUnlessWithin(stored.ReadInt16(kTipWindowValue), kStartMinimized);
  settings_.CopyInfo = OneUnlessWithin(stored.ReadInt16(kCopyInfoValue), kCopyIpAddress);
  settings_.Start_with_Win =
      OneUnlessWithin(stored.ReadInt16(kStartWithWinValue), kDoNotStartWithWindows);
  settings_.CloseMin = OneUnlessWithin(stored.ReadInt16(kCloseMinValue), kCloseEnds);
}

// The stored corner stays where it keeps the window wholly on some monitor;
// otherwise each edge is placed on the primary monitor as on a single
// screen. The window is then laid out at the DPI of the monitor it is placed
// on, before it is first shown.
void Form1::PlaceWindow(const SettingsReader& stored) {
  std::int32_t left = stored.ReadInt32(kLeftValue);
  std::int32_t top = stored.ReadInt32(kTopValue);
  const int screenDpi = s_.window.ScreenDpi();
  const int createdDpi = s_.window.Dpi();
  // The free room is measured with the window as created (where the DPI is
  // the one it was created at; elsewhere at its size for that monitor's),
  // and in pixels before it becomes twips: the exit saves a window flush
  // with the far edge as that room's twips, which must not read as one twip
  // past it where a pixel is no whole number of twips (168 dpi).
  const platform::PixelSize created = s_.window.OuterSize();
  const auto sizeAt = [&](int dpi) {
    return dpi == createdDpi ? created : s_.window.OuterSizeForClient(main_window::ClientSize(dpi), dpi);
  };
  const std::vector<platform::PixelRect> monitors = s_.window.Monitors();
  const platform::PixelRect& primary = monitors.front();
  const int primaryDpi = s_.window.DpiOn(primary);
  int dpi = primaryDpi;
  bool kept = false;
  for (std::size_t i = 0; i < monitors.size(); ++i) {
    const int monitorDpi = i == 0 ? primaryDpi : s_.window.DpiOn(monitors[i]);
    if (KeepsPlaceOn(left, top, monitors[i], sizeAt(monitorDpi), screenDpi)) {
      dpi = monitorDpi;
      kept = true;
      break;
    }
  }
  if (!kept) {
    const platform::PixelSize window = sizeAt(primaryDpi);
    left = PlaceEdge(left, platform::PixelsToTwips(primary.width - window.width, screenDpi));
    top = PlaceEdge(top, platform::PixelsToTwips(primary.height - window.height, screenDpi));
  }
  if (dpi != createdDpi) s_.window.LayOutAt(dpi);
  // Sized from the client area, so a larger caption or frame never cuts the list off.
  const platform::PixelSize outer = s_.window.OuterSizeForClient(main_window::ClientSize(dpi), dpi);
  s_.window.SetBounds({platform::TwipsToPixels(left, screenDpi), platform::TwipsToPixels(top, screenDpi),
                       outer.width, outer.height});
}

void Form1::CopyAtStart() {
  switch (settings_.CopyInfo) {
    case kCopyHostName:
      main_window::CopyHostName(s_.window, s_.clipboard);
      break;
    case kCopyIpAddress:
      if (s_.window.ListCount(IDC_List1) >= 1) {
        main_window::CopyToClipboard(s_.clipboard, s_.window.ListEntry(IDC_List1, 0));
      } else {
        localization::ShowStringMessage(s_.messages, s_.strings, IDS_NO_REGISTERED_IP,
                                        settings_.Language);
      }
      break;
    default:
      break;
  }
}

void Form1::LoadSetings(std::int16_t charset, std::int16_t language) {
  localization::LoadSetings(s_.window, s_.strings, charset, language);
}

void Form1::OnTrayNotify(int mouseMessage) { tray::OnTrayNotify(mouseMessage, s_.window); }

bool Form1::OnFieldInput(int controlId, tray::FieldInput input, platform::PixelPoint pointer) {
  return tray::OnFieldInput(controlId, input, pointer, s_.window);
}

std::wstring Form1::OnListTip(int entry) {
  if (entry < 0 || entry >= s_.window.ListCount(IDC_List1)) return {};
  return adapterTips_.TipFor(s_.window.ListEntry(IDC_List1, entry), s_.strings, settings_.Language);
}

}  // namespace app
