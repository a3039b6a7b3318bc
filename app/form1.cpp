// The main window's load handler and the messages it hands on.
#include "app/form1.h"

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

void Form1::PlaceWindow(const SettingsReader& stored) {
  const int dpi = s_.window.Dpi();
  const int screenDpi = s_.window.ScreenDpi();
  const platform::PixelSize screen = s_.window.ScreenSize();
  // The free room is measured with the window as created, before it is sized
  // below, and in pixels before it becomes twips: the exit saves a window flush
  // with the far edge as that room's twips, which must not read as one twip past
  // it where a pixel is no whole number of twips (168 dpi).
  const platform::PixelSize created = s_.window.OuterSize();
  const std::int32_t left =
      PlaceEdge(stored.ReadInt32(kLeftValue),
                platform::PixelsToTwips(screen.width - created.width, screenDpi));
  const std::int32_t top =
      PlaceEdge(stored.ReadInt32(kTopValue),
                platform::PixelsToTwips(screen.height - created.height, screenDpi));
  // Sized from the client area, so a larger caption or frame never cuts the list off.
  const platform::PixelSize outer = s_.window.OuterSizeForClient(
      {platform::TwipsToPixels(main_window::kClientWidthTwips, dpi),
       platform::TwipsToPixels(main_window::kClientHeightTwips, dpi)});
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
