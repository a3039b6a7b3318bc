// The main window after start-up, through the fakes: the tooltip, the
// refresh and its messages, the commands, the tray's mouse events, the field
// menus, the two close paths and the address list's hover tip.
#include <gtest/gtest.h>

#include "resources/resource.h"
#include "tests/fakes/harness.h"

namespace {

using namespace testing_support;
using main_window::CloseAction;
using platform::MessageIcon;
using platform::ShowState;

constexpr char kKey[] = "Software\\Varnosk\\Adrelo\\Settings";
const platform::HostEntry kThreeAddresses{{{192, 168, 77, 3}, {10, 0, 0, 5}, {172, 16, 0, 9}}};

// Started with the stored values given ("Name=value"), then the log cleared.
void Start(Harness& h, std::initializer_list<std::pair<const char*, const char*>> stored = {}) {
  for (const auto& [name, value] : stored) h.registry.SetString(kKey, name, value);
  ASSERT_EQ(h.Load(), app::LoadOutcome::Running);
  h.log.clear();
  h.messages.shown.clear();
}

std::vector<std::string> Matching(const CallLog& log, const std::string& prefix) {
  std::vector<std::string> kept;
  for (const std::string& entry : log)
    if (entry.rfind(prefix, 0) == 0) kept.push_back(entry);
  return kept;
}

TEST(TrayTip, FollowsShowIpTheLanguageAndTheListAndIsCutTo63) {
  const std::wstring longName(70, L'h');
  struct Case {
    const char* showIp;
    const char* language;
    std::string hostName;
    platform::HostEntry entry;
    const wchar_t* atStart;
    std::wstring afterTick;
  };
  for (const Case& c : {
           Case{"1", "0", "workstation", kThreeAddresses, L"IP Address : 192.168.77.3",
                L"IP Address : 192.168.77.3"},
           Case{"2", "0", "workstation", kThreeAddresses, L"Host name : workstation",
                L"Host name : workstation"},
           Case{"2", "100", "workstation", {}, L"Име на Компютъра : workstation",
                L"Име на Компютъра : workstation"},
           Case{"1", "0", "workstation", {}, L"Nqma Ip", L"No registered IP Address"},
           Case{"1", "100", "workstation", {}, L"Nqma Ip", L"Няма регистриран IP Адрес"},
           Case{"2", "0", std::string(70, 'h'), {}, nullptr,
                (L"Host name : " + longName).substr(0, 63)},
       }) {
    Harness h;
    h.sockets.hostName = c.hostName;
    h.sockets.entry = c.entry;
    Start(h, {{"ShowIP", c.showIp}, {"Language", c.language}});
    if (c.atStart) {
      EXPECT_EQ(h.icon.shown, c.atStart);
    }
    h.window.selection = 1;  // a selection changes nothing
    h.form1->OnTimer();
    EXPECT_EQ(h.icon.shown, c.afterTick);
  }
}

TEST(Refresh, TheTickRebuildsBothControlsUnseenThenTheTooltip) {
  Harness h;
  Start(h);
  h.window.selection = 0;
  h.sockets.entry = kThreeAddresses;
  h.form1->OnTimer();
  const std::vector<std::string> expected = {
      "sockets.GetHostName", "sockets.GetHostByName workstation",
      "window.SetRedraw 1001 off",
      "window.ListClear 1001", "window.SetText 1002", "window.SetText 1002",
      "window.ListAppend 1001 192.168.77.3", "window.ListAppend 1001 10.0.0.5",
      "window.ListAppend 1001 172.16.0.9",
      "window.SetRedraw 1001 on",
      "icon.Modify IP Address : 192.168.77.3"};
  EXPECT_EQ(h.log, expected);
  // Refresh rebuilds the same way but leaves the tooltip to the next tick.
  h.log.clear();
  h.form1->OnCommand(IDM_mnuRefresh);
  EXPECT_TRUE(Matching(h.log, "icon.").empty());
  EXPECT_EQ(h.window.ListCount(IDC_List1), 3);
}

TEST(Refresh, ALastingFailureIsReportedOnceAndNeverTwiceAtATime) {
  Harness h;
  Start(h);
  h.sockets.lookupSucceeds = false;
  int nestedTicks = 0;
  // Ticks keep coming while a message is open: they do nothing then.
  h.messages.whileOpen = [&] {
    ++nestedTicks;
    h.form1->OnTimer();
  };
  for (int tick = 0; tick < 4; ++tick) h.form1->OnTimer();
  EXPECT_EQ(h.messages.shown.size(), 1u);
  EXPECT_EQ(nestedTicks, 1);
  EXPECT_EQ(h.messages.shown[0].text, L"Winsock.dll is not responding.");
  EXPECT_EQ(h.messages.shown[0].title, L"Adrelo Viewer");
  // The controls and the tooltip still follow every tick.
  EXPECT_EQ(h.window.Text(IDC_Text1), L"");
  EXPECT_EQ(h.icon.shown, L"No registered IP Address");
  // The user's Refresh always says why; a success ends the streak.
  h.form1->OnCommand(IDM_mnuRefresh);
  EXPECT_EQ(h.messages.shown.size(), 2u);
  h.sockets.lookupSucceeds = true;
  h.form1->OnTimer();
  h.sockets.lookupSucceeds = false;
  h.form1->OnTimer();
  EXPECT_EQ(h.messages.shown.size(), 3u);
}

TEST(Commands, CopyByTheSelectionRulesInBothLanguages) {
  struct Case {
    int command;
    std::size_t addresses;
    int selection;
    const char* language;
    const wchar_t* copied;   // nullptr: the clipboard keeps "before"
    const wchar_t* message;  // nullptr: none
  };
  for (const Case& c : {
           Case{IDM_MnuCopyIP, 3, 1, "0", L"10.0.0.5", nullptr},
           Case{IDM_MnuCopyIP, 3, -1, "0", nullptr, L"Please select IP Address"},
           Case{IDM_MnuCopyIP, 3, -1, "100", nullptr, L"Моля изберете IP Адрес"},
           Case{IDM_MnuCopyIP, 1, -1, "0", L"192.168.77.3", nullptr},
           Case{IDM_MnuCopyIP, 0, -1, "0", nullptr, L"No registered IP Address"},
           Case{IDM_MnuCopyIP, 0, -1, "100", nullptr, L"Няма регистриран IP Адрес"},
           Case{IDM_MnuCopyIP2, 3, 2, "0", L"192.168.77.3", nullptr},
           Case{IDM_MnuCopyIP2, 0, -1, "0", nullptr, L"Please select IP Address"},
           Case{IDM_mnuCIP, 3, 2, "0", L"172.16.0.9", nullptr},
           Case{IDM_mnuCIP, 3, -1, "0", nullptr, nullptr},  // the selection vanished
           Case{IDM_mnuCopyHost, 0, -1, "0", L"workstation", nullptr},
           Case{IDM_mnuCHost, 1, -1, "0", L"workstation", nullptr},
           Case{IDM_mnuCopyHost2, 3, 0, "0", L"workstation", nullptr},
       }) {
    Harness h;
    h.sockets.entry.addresses.assign(kThreeAddresses.addresses.begin(),
                                     kThreeAddresses.addresses.begin() + c.addresses);
    Start(h, {{"Language", c.language}});
    h.clipboard.text = L"before";
    h.window.selection = c.selection;
    h.form1->OnCommand(c.command);
    EXPECT_EQ(h.clipboard.text, c.copied ? c.copied : L"before") << c.command;
    ASSERT_EQ(h.messages.shown.size(), c.message ? 1u : 0u) << c.command;
    if (c.message) {
      EXPECT_EQ(h.messages.shown[0].text, c.message);
      EXPECT_EQ(h.messages.shown[0].title, c.language[0] == '1' ? L"Грешка" : L"Error");
      EXPECT_EQ(h.messages.shown[0].icon, MessageIcon::Error);
    }
  }
}

TEST(TrayEvents, DoubleClickRestoresRightReleaseOpensTheMenuTheRestIsIgnored) {
  struct Case {
    int mouseMessage;
    std::vector<std::string> calls;
  };
  for (const Case& c : {
           Case{0x0203, {"window.SetShowState Normal", "window.BringToForeground", "window.Show"}},
           Case{0x0205, {"window.BringToForeground", "window.OpenPopupMenu 2 at 500,400 default 2052"}},
           Case{0x0200, {}}, Case{0x0201, {}}, Case{0x0202, {}}, Case{0x0204, {}}}) {
    Harness h;
    Start(h, {{"Tip_Window", "2"}});
    h.form1->OnTrayNotify(c.mouseMessage);
    EXPECT_EQ(h.log, c.calls) << c.mouseMessage;
  }
}

TEST(WindowState, TheThreeCommandsAndTheIconComingBack) {
  Harness h;
  Start(h);
  h.form1->OnCommand(IDM_MnuMinTask);
  EXPECT_EQ(h.log, (CallLog{"window.SetShowState Minimized"}));
  EXPECT_TRUE(h.window.visible);

  h.log.clear();
  h.form1->OnCommand(IDM_MnuMinSys);  // the icon exists: the shell refuses the second
  EXPECT_EQ(h.log, (CallLog{"icon.Add IP Address : 10.0.0.5", "window.SetShowState Minimized",
                            "window.SetShowState Hidden"}));
  EXPECT_TRUE(h.window.iconic);
  EXPECT_FALSE(h.window.visible);
  // The refused add changed nothing the shell shows: a tick with the same
  // tooltip only asks whether the shell still has the icon, a changed one is
  // sent once.
  h.log.clear();
  h.form1->OnTimer();
  EXPECT_EQ(Matching(h.log, "icon."), (CallLog{"icon.Check"}));
  h.sockets.entry = kThreeAddresses;
  h.log.clear();
  h.form1->OnTimer();
  h.form1->OnTimer();
  EXPECT_EQ(Matching(h.log, "icon."), (CallLog{"icon.Modify IP Address : 192.168.77.3", "icon.Check"}));
  h.sockets.entry = {{{10, 0, 0, 5}}};
  h.form1->OnTimer();

  // Lost without a TaskbarCreated: added again by the first tick that finds
  // a shell, once, with the tooltip of the moment.
  h.icon.shown.reset();
  h.icon.shellPresent = false;
  h.log.clear();
  h.form1->OnTimer();
  h.icon.shellPresent = true;
  h.form1->OnTimer();
  h.form1->OnTimer();
  EXPECT_EQ(Matching(h.log, "icon."), (CallLog{"icon.Check", "icon.Modify IP Address : 10.0.0.5",
                                               "icon.Add IP Address : 10.0.0.5", "icon.Check"}));
  EXPECT_EQ(h.icon.shown, L"IP Address : 10.0.0.5");

  h.icon.shown.reset();  // the shell lost it
  h.form1->OnCommand(IDM_MnuMinSys);
  EXPECT_EQ(h.icon.shown, L"IP Address : 10.0.0.5");

  h.log.clear();
  h.form1->OnCommand(IDM_mnuRestore);
  EXPECT_EQ(h.log, (CallLog{"window.SetShowState Normal", "window.BringToForeground", "window.Show"}));
  EXPECT_TRUE(h.window.visible);
  EXPECT_FALSE(h.window.iconic);

  // The shell restarted: the icon back with the tooltip it had, exactly one.
  h.icon.shown.reset();
  h.form1->OnTaskbarCreated();
  h.form1->OnTaskbarCreated();
  EXPECT_EQ(Matching(h.log, "icon.Add"),
            (CallLog{"icon.Add IP Address : 10.0.0.5", "icon.Add IP Address : 10.0.0.5"}));
  EXPECT_EQ(h.icon.shown, L"IP Address : 10.0.0.5");

  // A change of scale: the image follows while the icon is there, not once it is gone.
  h.log.clear();
  h.form1->OnScaleChanged();
  h.form1->OnCommand(IDM_mnuExit);
  h.form1->OnScaleChanged();
  EXPECT_EQ(Matching(h.log, "icon.FollowScale"), (CallLog{"icon.FollowScale"}));
}

TEST(FieldMenus, WhichInputOpensWhichMenuAndWhatTheControlStillSees) {
  using tray::FieldInput;
  struct Case {
    int control;
    FieldInput input;
    int selection;
    bool intercepted;
    const char* opened;  // nullptr: nothing
  };
  for (const Case& c : {
           Case{IDC_Text1, FieldInput::RightButtonUp, -1, true, "window.OpenPopupMenu 0 at 300,200 default 0"},
           // Below the field's left edge: client (176, 35) on a window at (0, 0).
           Case{IDC_Text1, FieldInput::MenuKey, -1, true, "window.OpenPopupMenu 0 at 179,76 default 0"},
           Case{IDC_List1, FieldInput::RightButtonUp, 1, true, "window.OpenPopupMenu 1 at 300,200 default 0"},
           Case{IDC_List1, FieldInput::RightButtonUp, -1, true, nullptr},
           Case{IDC_List1, FieldInput::MenuKey, 1, false, nullptr}}) {
    Harness h;
    Start(h);
    h.window.selection = c.selection;
    EXPECT_EQ(h.form1->OnFieldInput(c.control, c.input, {300, 200}), c.intercepted);
    EXPECT_EQ(h.log, c.opened ? CallLog{c.opened} : CallLog{}) << c.control;
    EXPECT_EQ(h.window.selection, c.selection);
  }
}

TEST(Close, CloseMinOneHidesAndWritesNothingUntilAnExit) {
  Harness h;
  Start(h, {{"CloseMin", "1"}});
  EXPECT_EQ(h.form1->OnCloseRequest(), CloseAction::KeepRunning);
  EXPECT_FALSE(h.window.visible);
  EXPECT_EQ(h.log.back(), "window.SetShowState Hidden");
  EXPECT_EQ(Matching(h.log, "icon."), (CallLog{"icon.Check"}));  // the tooltip the shell shows
  EXPECT_TRUE(Matching(h.log, "registry.SetValueEx").empty());

  // Exit from the tray while hidden: the close request runs the exit path.
  h.form1->OnCommand(IDM_mnuExit2);
  EXPECT_EQ(h.window.closeAction, CloseAction::CloseWindow);
  EXPECT_FALSE(h.icon.shown);
  EXPECT_EQ(h.registry.Values(kKey)->size(), 8u);
}

TEST(Close, TheExitPathWritesTheEightValuesThenReleasesInOrder) {
  Harness h;
  Start(h, {{"CloseMin", "2"}, {"ShowIP", "2"}, {"Tip_Window", "3"}, {"Language", "100"}});
  // Minimised: the normal position is what is kept, in the screen's scale
  // though the window is now on a monitor of 144 dpi.
  h.window.SetShowState(ShowState::Minimized);
  h.window.normalPosition = {150, 45};
  h.window.screenDpi = 96;
  h.window.dpi = 144;
  h.log.clear();
  EXPECT_EQ(h.form1->OnCloseRequest(), CloseAction::CloseWindow);
  const CallLog expected = {
      "registry.SetValueEx Language", "registry.SetValueEx ShowIP",
      "registry.SetValueEx Tip_Window", "registry.SetValueEx CopyInfo",
      "registry.SetValueEx Start_with_Win", "registry.SetValueEx CloseMin",
      "registry.SetValueEx Left", "registry.SetValueEx Top",
      "sockets.Cleanup", "hooks.UnhookList1", "hooks.UnhookText1", "icon.Delete"};
  EXPECT_EQ(h.log, expected);
  std::vector<std::string> stored;
  for (const char* name : {"Language", "ShowIP", "Tip_Window", "CopyInfo", "Start_with_Win",
                           "CloseMin", "Left", "Top"}) {
    stored.push_back(h.registry.GetString(kKey, name).value_or("?"));
  }
  EXPECT_EQ(stored, (std::vector<std::string>{"100", "2", "3", "1", "1", "2", "2250", "675"}));
  // Nothing runs twice.
  h.log.clear();
  EXPECT_EQ(h.form1->OnCloseRequest(), CloseAction::CloseWindow);
  EXPECT_TRUE(h.log.empty());
}

TEST(Close, TheEndOfTheSessionSavesWhateverTheStateAndASocketsFailureEndsAtOnce) {
  Harness h;
  Start(h, {{"CloseMin", "1"}, {"Tip_Window", "2"}});
  EXPECT_EQ(h.form1->OnEndSession(), CloseAction::CloseWindow);
  EXPECT_EQ(h.registry.GetString(kKey, "Tip_Window"), "2");
  EXPECT_FALSE(h.icon.shown);

  Harness failing;
  Start(failing, {{"CloseMin", "2"}});
  failing.sockets.cleanupResult = -1;
  EXPECT_EQ(failing.form1->OnCloseRequest(), CloseAction::EndProcessNow);
  EXPECT_EQ(failing.registry.Values(kKey)->size(), 8u);  // written before the failure
  EXPECT_EQ(failing.messages.shown.at(0).text, L"Socket error -1 occurred in Cleanup ");
  EXPECT_TRUE(failing.icon.shown);
}

}  // namespace

namespace {

TEST(ModalWindows, AnApplyShowsAtOnceAndReachesTheKeyOnlyAtTheEnd) {
  Harness h;
  Start(h);
  h.modalWindows.whileSettingsOpen = [&](settings::Settings& settings, settings::Form2Host& host) {
    settings.Language = 100;
    settings.ShowIP = 2;
    host.LoadSetings(204, 100);
    host.UpdateTrayIcon();
    h.form1->OnTimer();  // the timer keeps ticking meanwhile
  };
  h.form1->OnCommand(IDM_mnuSet);
  EXPECT_EQ(h.icon.shown, L"Име на Компютъра : workstation");
  EXPECT_EQ(h.window.texts[IDC_Label1], L"Име на Компютъра : ");
  EXPECT_TRUE(h.registry.Values(kKey)->empty());
  h.form1->OnCommand(IDM_mnuAbout);
  EXPECT_EQ(h.log.back(), "modal.ShowAbout 100");

  // Log-off while the dialog is open: what was applied is saved.
  h.modalWindows.whileSettingsOpen = [&](settings::Settings& settings, settings::Form2Host&) {
    settings.CloseMin = 2;
    EXPECT_EQ(h.form1->OnEndSession(), CloseAction::CloseWindow);
  };
  h.form1->OnCommand(IDM_mnuSet);
  EXPECT_EQ(h.registry.GetString(kKey, "Language"), "100");
  EXPECT_EQ(h.registry.GetString(kKey, "CloseMin"), "2");
}

TEST(ListTip, TicksNeverReadTheAdaptersForOneAddressAndTheFirstTipAfterOneReadsThemOnce) {
  Harness h;
  Start(h);
  platform::AdapterInfo ethernet{L"Ethernet", L"Ethernet", 6, 3, 0, {{10, 0, 0, 5}}, {{10, 0, 0, 1}}};
  h.adapters.snapshot = platform::AdapterSnapshot{{ethernet}, {{3, 10}}};
  EXPECT_EQ(h.form1->OnListTip(0), L"Ethernet\r\nKind: wired\r\nGateway: 10.0.0.1\r\nCarries the default route");
  EXPECT_EQ(h.form1->OnListTip(1), L"");  // below the last entry
  h.form1->OnTimer();
  h.form1->OnCommand(IDM_mnuRefresh);
  EXPECT_EQ(h.adapters.reads, 1);
  h.form1->OnListTip(0);
  h.form1->OnListTip(0);
  EXPECT_EQ(h.adapters.reads, 2);
}

// A machine as Windows answers for it: a virtual switch, Wi-Fi, a wired
// adapter with two addresses, a VPN, one without DHCP and the loopback.
const std::vector<std::uint8_t> kSwitch{172, 29, 160, 1}, kWifi{192, 168, 1, 20},
    kWired{10, 0, 0, 5}, kWired2{10, 0, 0, 6}, kVpn{10, 8, 0, 6}, kApipa{169, 254, 10, 20},
    kLoopback{127, 0, 0, 1}, kHostsFile{127, 0, 1, 1};
std::vector<platform::AdapterInfo> Adapters() {
  return {{L"vEthernet (WSL)", L"Hyper-V Virtual Ethernet Adapter", 6, 30, 5000, {{172, 29, 160, 1}}, {}},
          {L"Wi-Fi", L"Intel(R) Wi-Fi 6 AX201", 71, 12, 35, {{192, 168, 1, 20}}, {{192, 168, 1, 1}}},
          {L"Ethernet", L"Intel(R) Ethernet I219-V", 6, 7, 25, {{10, 0, 0, 5}, {10, 0, 0, 6}}, {{10, 0, 0, 1}}},
          {L"Corp VPN", L"Corp VPN", 53, 40, 1, {{10, 8, 0, 6}}, {{10, 8, 0, 1}}},
          {L"Ethernet 2", L"Realtek USB GbE", 6, 9, 25, {{169, 254, 10, 20}}, {}},
          {L"Loopback Pseudo-Interface 1", L"Software Loopback Interface 1", 24, 1, 75, {{127, 0, 0, 1}}, {}}};
}

TEST(AddressOrder, TheDefaultRouteAdaptersAddressesComeFirstForTheListTooltipAndEveryCopy) {
  struct Case {
    const char* what;
    platform::HostEntry answer;
    std::optional<std::vector<platform::DefaultRoute>> routes;  // nothing: the read fails
    std::vector<std::wstring> expected;
  };
  for (const Case& c : {
           Case{"a virtual switch first, Wi-Fi's default route second", {{kSwitch, kWifi}}, {{{12, 0}}},
                {L"192.168.1.20", L"172.29.160.1"}},
           Case{"an adapter with two addresses", {{kSwitch, kWired, kWifi, kWired2}}, {{{7, 0}}},
                {L"10.0.0.5", L"10.0.0.6", L"172.29.160.1", L"192.168.1.20"}},
           Case{"the lower sum of route and interface metric", {{kSwitch, kWired, kVpn}},
                {{{7, 0}, {40, 10}}}, {L"10.8.0.6", L"172.29.160.1", L"10.0.0.5"}},
           Case{"tied: the name service's order", {{kSwitch, kWifi, kWired}}, {{{7, 10}, {12, 0}}},
                {L"192.168.1.20", L"172.29.160.1", L"10.0.0.5"}},
           Case{"the route's adapter gave no address", {{kSwitch, kWifi}}, {{{40, 0}, {12, 0}}},
                {L"172.29.160.1", L"192.168.1.20"}},
           Case{"no default route", {{kSwitch, kWifi}}, {{}}, {L"172.29.160.1", L"192.168.1.20"}},
           Case{"the adapters unreadable", {{kSwitch, kWifi}}, std::nullopt,
                {L"172.29.160.1", L"192.168.1.20"}},
           Case{"APIPA, loopback and the hosts file", {{kApipa, kLoopback, kHostsFile, kSwitch, kWifi}},
                {{{12, 0}}},
                {L"192.168.1.20", L"169.254.10.20", L"127.0.0.1", L"127.0.1.1", L"172.29.160.1"}},
       }) {
    SCOPED_TRACE(c.what);
    Harness h;
    h.sockets.entry = c.answer;
    h.adapters.snapshot.reset();
    if (c.routes) h.adapters.snapshot = platform::AdapterSnapshot{Adapters(), *c.routes};
    Start(h, {{"CopyInfo", "3"}, {"ShowIP", "1"}});
    const std::wstring first = c.expected.front();
    EXPECT_EQ(h.window.lists[IDC_List1], c.expected);
    EXPECT_EQ(h.clipboard.text, first);  // copied at start
    EXPECT_EQ(h.icon.shown, L"IP Address : " + first);
    // The tips and the order agree: when an entry's tip marks the default
    // route, the first entry's does.
    const auto marked = [&](int entry) {
      return h.form1->OnListTip(entry).find(L"Carries the default route") != std::wstring::npos;
    };
    bool anyMarked = false;
    for (int entry = 0; entry < h.window.ListCount(IDC_List1); ++entry) anyMarked |= marked(entry);
    EXPECT_EQ(marked(0), anyMarked);
    h.clipboard.text.reset();
    h.form1->OnTimer();
    EXPECT_EQ(h.icon.shown, L"IP Address : " + first);
    h.form1->OnCommand(IDM_MnuCopyIP2);  // the tray menu's Copy IP Address
    EXPECT_EQ(h.clipboard.text, first);
  }
}

TEST(AddressOrder, TheAdaptersAreReadAtStartOnRefreshAndWhenTheAddressesChangeOnly) {
  Harness h;
  h.sockets.entry = {{kSwitch, kWifi}};
  h.adapters.snapshot = platform::AdapterSnapshot{Adapters(), {{12, 0}}};
  Start(h);
  EXPECT_EQ(h.adapters.reads, 1);
  h.sockets.entry = {{kWifi, kSwitch}};  // the same addresses in another order
  for (int tick = 0; tick < 100; ++tick) h.form1->OnTimer();
  EXPECT_EQ(h.adapters.reads, 1);
  h.adapters.snapshot->defaultRoutes = {{30, 0}};  // not seen until asked to look again
  h.form1->OnTimer();
  EXPECT_EQ(h.window.ListEntry(IDC_List1, 0), L"192.168.1.20");
  h.form1->OnCommand(IDM_mnuRefresh);
  EXPECT_EQ(h.adapters.reads, 2);
  EXPECT_EQ(h.window.ListEntry(IDC_List1, 0), L"172.29.160.1");
  h.sockets.entry = {{kSwitch, kWifi, kWired}};
  h.form1->OnTimer();
  h.form1->OnTimer();
  EXPECT_EQ(h.adapters.reads, 3);
  h.sockets.entry = {{kWifi}};
  h.form1->OnTimer();
  h.sockets.lookupSucceeds = false;
  h.form1->OnTimer();
  EXPECT_EQ(h.adapters.reads, 3);
  h.sockets.lookupSucceeds = true;
  h.sockets.entry = {{kSwitch, kWifi, kWired}};  // back after a change
  h.form1->OnTimer();
  EXPECT_EQ(h.adapters.reads, 4);
}

}  // namespace
