// Start-up of the main window through the fakes: order, settings, placement,
// copy at start and start state.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <vector>

#include "app/form1.h"
#include "app/single_instance.h"
#include "resources/resource.h"
#include "settings/settings.h"
#include "tests/fakes/harness.h"

namespace {

using namespace testing_support;
using platform::MessageIcon;
using platform::ShowState;

constexpr char kKey[] = "Software\\Varnosk\\Adrelo\\Settings";

// Removes the entries that only say "this call happened" for calls whose
// position is not under test.
std::vector<std::string> Milestones(const CallLog& log) {
  std::vector<std::string> kept;
  for (const std::string& entry : log) {
    if (entry.rfind("window.SetMenuCaption", 0) == 0 || entry.rfind("window.SetText 1003", 0) == 0 ||
        entry.rfind("window.SetText 1004", 0) == 0 || entry.rfind("window.SetFontCharset 1004", 0) == 0 ||
        entry.rfind("window.SetRedraw", 0) == 0) {
      continue;
    }
    kept.push_back(entry);
  }
  return kept;
}

TEST(Startup, FirstRunRunsEveryStepInOrder) {
  Harness h;
  ASSERT_EQ(h.Load(), app::LoadOutcome::Running);
  const std::vector<std::string> expected = {
      "registry.CreateKeyEx Software\\Varnosk\\Adrelo\\Settings",
      "registry.QueryValueEx Language",
      "locale.ThreadLocale",
      "registry.QueryValueEx ShowIP",
      "registry.QueryValueEx Tip_Window",
      "registry.QueryValueEx CopyInfo",
      "registry.QueryValueEx Start_with_Win",
      "registry.QueryValueEx CloseMin",
      "registry.QueryValueEx Left",
      "registry.QueryValueEx Top",
      "window.SetBounds 0,0 379x164",
      "hooks.HookText1",
      "hooks.HookList1",
      "window.SetFontCharset 1003 0",
      "sockets.Startup",
      "sockets.GetHostName",
      "sockets.GetHostByName workstation",
      "window.ListClear 1001",
      "window.SetText 1002",
      "window.SetText 1002",
      "window.ListAppend 1001 10.0.0.5",
      "icon.Add IP Address : 10.0.0.5",
      "window.SetShowState Normal",
  };
  EXPECT_EQ(Milestones(h.log), expected);
  EXPECT_TRUE(h.registry.HasKey(kKey));
  EXPECT_EQ(h.Settings(), settings::Settings{});  // all 1, English
  EXPECT_EQ(h.window.texts[IDC_Label1], L"Host name : ");
  EXPECT_TRUE(h.messages.shown.empty());
  EXPECT_FALSE(h.clipboard.text);
  EXPECT_EQ(h.registry.openHandles, 0);
  // The key made, then opened for reading once for all eight values.
  EXPECT_EQ(h.registry.accessMasks, (std::vector<std::uint32_t>{0x3F, 0x20019}));
  // Nothing is written back at start-up.
  EXPECT_TRUE(h.registry.Values(kKey)->empty());
}

TEST(Startup, LanguageComesFromTheStoredValueOrTheThreadLocale) {
  struct Case {
    const char* stored;  // nullptr: absent
    std::uint32_t locale;
    std::int16_t language;
    const wchar_t* label1;
  };
  for (const Case& c : {Case{nullptr, 1026, 100, L"Име на Компютъра : "},
                        Case{nullptr, 1033, 0, L"Host name : "},
                        Case{"100", 1033, 100, L"Име на Компютъра : "},
                        Case{"0", 1026, 0, L"Host name : "},
                        Case{"5", 1026, 100, L"Име на Компютъра : "},
                        Case{"abc", 1033, 0, L"Host name : "}}) {
    Harness h;
    if (c.stored) h.registry.SetString(kKey, "Language", c.stored);
    h.Load(c.locale);
    EXPECT_EQ(h.Settings().Language, c.language) << (c.stored ? c.stored : "absent");
    EXPECT_EQ(h.window.texts[IDC_Label1], c.label1);
    EXPECT_EQ(h.window.charsets[IDC_Label1], c.language == 100 ? 204 : 0);
  }
}

TEST(Startup, OutOfRangeAndUnreadableSettingsBecomeOne) {
  Harness h;
  h.registry.SetString(kKey, "ShowIP", "7");
  h.registry.SetString(kKey, "Tip_Window", "4");
  h.registry.SetString(kKey, "CopyInfo", "0");
  h.registry.SetString(kKey, "Start_with_Win", "12abc");
  h.registry.SetString(kKey, "CloseMin", "-1");
  h.Load();
  EXPECT_EQ(h.Settings(), settings::Settings{});
  EXPECT_EQ(h.window.state, ShowState::Normal);
}

TEST(Startup, ValidSettingsAreKept) {
  Harness h;
  h.registry.SetString(kKey, "ShowIP", "2");
  h.registry.SetString(kKey, "Tip_Window", "3");
  h.registry.SetString(kKey, "CopyInfo", "1");
  h.registry.SetString(kKey, "Start_with_Win", "2");
  h.registry.SetString(kKey, "CloseMin", "2");
  h.Load();
  EXPECT_EQ(h.Settings(), (settings::Settings{2, 0, 3, 1, 2, 2}));
}

TEST(Startup, PlacementCentresOnlyPositionsOffTheScreen) {
  // 1024 x 768 pixels is 15360 x 11520 twips; the window is 5685 x 2460.
  struct Case {
    const char* left;
    const char* top;
    int x, y;
  };
  for (const Case& c : {Case{"-15", "1", 323, 0},        // 4838 twips
                        Case{"9675", "9060", 645, 604},  // flush with the far edges
                        Case{"9676", "9061", 323, 302},  // one twip more: centred
                        Case{"150", "30", 10, 2},
                        Case{"x", "", 0, 0}}) {
    Harness h;
    h.registry.SetString(kKey, "Left", c.left);
    h.registry.SetString(kKey, "Top", c.top);
    h.Load();
    EXPECT_EQ(h.window.bounds, (platform::PixelRect{c.x, c.y, 379, 164})) << c.left << "," << c.top;
  }
}

TEST(Startup, TheWindowIsSizedFromItsClientArea) {
  Harness h;
  h.window.frameWidth = 10;   // a thicker frame and a taller caption
  h.window.frameHeight = 60;
  h.Load();
  EXPECT_EQ(h.window.bounds.width, 373 + 10);
  EXPECT_EQ(h.window.bounds.height, 120 + 60);
}

TEST(Startup, PlacementScalesWithTheDpi) {
  Harness h;
  h.window.dpi = 120;
  h.window.screen = {1280, 1024};            // 15360 x 12288 twips
  h.window.bounds = {0, 0, 472, 196};        // as created at 120 dpi: 5664 x 2352 twips
  h.registry.SetString(kKey, "Left", "-1");
  h.Load();
  EXPECT_EQ(h.window.bounds.left, 404);      // 4848 twips
  EXPECT_EQ(h.window.bounds.width, 466 + 6);
}

TEST(Startup, AWindowSavedFlushWithTheFarEdgeComesBackThere) {
  // At 168 dpi the 652 pixels left free are saved as 5589 twips, while the
  // screen and the window alone come to 11271 - 5683 = 5588.
  Harness h;
  h.window.dpi = 168;
  h.window.screen = {1315, 768};
  h.window.bounds = {0, 0, 663, 297};
  h.registry.SetString(kKey, "Left", "5589");
  h.Load();
  EXPECT_EQ(h.window.bounds.left, 652);
}

// Three monitors: the primary, 1920 x 1080 at 144 dpi (the screen's scale,
// 10 twips a pixel); one at 96 dpi left of it and lower; one at 120 dpi above
// it. The window, created on the primary, is 569 x 246 there, 379 x 164 at
// 96 dpi and 473 x 205 at 120.
void ArrangeThreeMonitors(Harness& h) {
  h.window.screen = {1920, 1080};
  h.window.dpi = 144;
  h.window.otherMonitors = {{{-1280, 200, 1280, 1024}, 96}, {{0, -1200, 1600, 1200}, 120}};
  h.window.frameWidth = 9;
  h.window.frameHeight = 66;
  h.window.bounds = {0, 0, 569, 246};
}

TEST(Startup, APlaceOnAnyMonitorIsKeptAndLaidOutAtThatMonitorsDpi) {
  const std::map<int, platform::PixelSize> sizes = {{144, {569, 246}}, {96, {379, 164}}, {120, {473, 205}}};
  struct Case {
    const char* left;
    const char* top;
    int x, y, dpi;
  };
  for (const Case& c : {Case{"5000", "3000", 500, 300, 144},       // on the primary
                        Case{"13510", "8340", 1351, 834, 144},     // flush with its far edges
                        Case{"13511", "8341", 676, 417, 144},      // a twip more: centred
                        Case{"-12800", "2000", -1280, 200, 96},    // the left one's corner
                        Case{"-3790", "10600", -379, 1060, 96},    // flush with its far edges, at its size there
                        Case{"-3789", "10600", 676, 417, 144},     // a twip more: across two monitors
                        Case{"1000", "-11000", 100, -1100, 120},   // on the one above
                        Case{"11270", "-2050", 1127, -205, 120},   // flush with its far edges
                        Case{"1000", "-500", 100, 417, 144},       // across it and the primary
                        Case{"-1000", "3000", 676, 300, 144},      // across the left one and the primary
                        Case{"-10000", "-5000", 676, 417, 144},    // between monitors
                        Case{"400000", "400000", 676, 417, 144}}) {  // off every monitor
    Harness h;
    ArrangeThreeMonitors(h);
    h.registry.SetString(kKey, "Left", c.left);
    h.registry.SetString(kKey, "Top", c.top);
    h.Load();
    const platform::PixelSize size = sizes.at(c.dpi);
    EXPECT_EQ(h.window.bounds, (platform::PixelRect{c.x, c.y, size.width, size.height})) << c.left << "," << c.top;
    EXPECT_EQ(h.window.Dpi(), c.dpi) << c.left << "," << c.top;

    // Left there, the window comes back there at the next start.
    h.window.normalPosition = {h.window.bounds.left, h.window.bounds.top};
    h.form1->OnCommand(IDM_mnuExit);
    Harness next;
    ArrangeThreeMonitors(next);
    for (const char* name : {"Left", "Top"}) next.registry.SetString(kKey, name, *h.registry.GetString(kKey, name));
    next.Load();
    EXPECT_EQ(next.window.bounds, h.window.bounds) << c.left << "," << c.top;
    EXPECT_EQ(next.window.Dpi(), c.dpi) << c.left << "," << c.top;
  }
}

TEST(Startup, StartStateFollowsTipWindow) {
  for (const auto& [stored, state] : {std::pair{"1", ShowState::Normal},
                                      std::pair{"2", ShowState::Hidden},
                                      std::pair{"3", ShowState::Minimized},
                                      std::pair{"0", ShowState::Normal}}) {
    Harness h;
    h.registry.SetString(kKey, "Tip_Window", stored);
    h.Load();
    EXPECT_EQ(h.window.state, state) << stored;
    // The icon is added in every case, before the state is applied.
    EXPECT_EQ(h.log[h.log.size() - 2].rfind("icon.Add", 0), 0u);
  }
}

TEST(Startup, CopyInfoTwoCopiesTheHostName) {
  Harness h;
  h.registry.SetString(kKey, "CopyInfo", "2");
  h.Load();
  EXPECT_EQ(h.clipboard.text, L"workstation");
}

TEST(Startup, CopyInfoThreeCopiesTheFirstAddress) {
  Harness h;
  h.registry.SetString(kKey, "CopyInfo", "3");
  h.sockets.entry = {{{192, 168, 77, 3}, {10, 0, 0, 5}}};
  h.Load();
  EXPECT_EQ(h.clipboard.text, L"192.168.77.3");
  EXPECT_TRUE(h.messages.shown.empty());
}

TEST(Startup, CopyInfoThreeWithoutAnAddressShowsTheErrorAndGoesOn) {
  for (const auto& [language, text, title] :
       {std::tuple{"0", L"No registered IP Address", L"Error"},
        std::tuple{"100", L"Няма регистриран IP Адрес", L"Грешка"}}) {
    Harness h;
    h.registry.SetString(kKey, "CopyInfo", "3");
    h.registry.SetString(kKey, "Language", language);
    h.sockets.entry = {{}};
    h.Load();
    ASSERT_EQ(h.messages.shown.size(), 1u);
    EXPECT_EQ(h.messages.shown[0].text, text);
    EXPECT_EQ(h.messages.shown[0].title, title);
    EXPECT_EQ(h.messages.shown[0].icon, MessageIcon::Error);
    EXPECT_FALSE(h.clipboard.text);
    EXPECT_EQ(h.window.state, ShowState::Normal);
  }
}

TEST(Startup, AFailingLookupIsShownAndStartUpGoesOnWithEmptyControls) {
  Harness h;
  h.registry.SetString(kKey, "CopyInfo", "2");
  h.sockets.lookupSucceeds = false;
  ASSERT_EQ(h.Load(), app::LoadOutcome::Running);
  ASSERT_EQ(h.messages.shown.size(), 1u);
  EXPECT_EQ(h.messages.shown[0].text, L"Winsock.dll is not responding.");
  EXPECT_EQ(h.window.Text(IDC_Text1), L"");
  EXPECT_EQ(h.window.ListCount(IDC_List1), 0);
  EXPECT_EQ(h.clipboard.text, L"");  // the empty host field is what gets copied
  EXPECT_EQ(h.window.state, ShowState::Normal);
}

TEST(Startup, AFailingLookupWithCopyInfoThreeShowsBothMessages) {
  Harness h;
  h.registry.SetString(kKey, "CopyInfo", "3");
  h.sockets.lookupSucceeds = false;
  h.Load();
  ASSERT_EQ(h.messages.shown.size(), 2u);
  EXPECT_EQ(h.messages.shown[1].text, L"No registered IP Address");
}

TEST(Startup, ASocketsFailureStopsEverythingAfterIt) {
  Harness h;
  h.sockets.info.version = 0x0001;
  EXPECT_EQ(h.Load(), app::LoadOutcome::EndProcess);
  EXPECT_EQ(h.log.back(), "messages.Show Windows Sockets version 1.0 is not supported by winsock.dll ");
  EXPECT_FALSE(h.window.state);
  EXPECT_TRUE(h.registry.Values(kKey)->empty());
}

TEST(Startup, AHeldClipboardLosesNothingAndStartUpGoesOn) {
  Harness h;
  h.registry.SetString(kKey, "CopyInfo", "2");
  h.clipboard.held = true;
  h.clipboard.text = L"what the user copied before";
  ASSERT_EQ(h.Load(), app::LoadOutcome::Running);
  EXPECT_EQ(h.clipboard.text, L"what the user copied before");
  EXPECT_EQ(h.window.state, ShowState::Normal);
}

// ---- a second start ----------------------------------------------------------
// The lock is free from try freeAt on (never when -1; refused for access
// when -2, as Windows refuses an elevated copy's); each ask gets the next
// answer, the last one repeated.
constexpr int kRefused = -2;
struct ScriptedCopies final : platform::SessionCopies {
  int freeAt = -1;
  std::vector<platform::AskAnswer> answers;
  std::vector<unsigned> waits;
  int asks = 0;
  platform::LockState TakeLock(unsigned ms) override {
    waits.push_back(ms);
    if (freeAt == kRefused) return platform::LockState::Refused;
    return freeAt >= 0 && static_cast<int>(waits.size()) > freeAt ? platform::LockState::Taken
                                                                  : platform::LockState::Held;
  }
  platform::AskAnswer AskToComeForward() override {
    const size_t at = std::min<size_t>(asks++, answers.size() - 1);
    return answers[at];
  }
};

TEST(SecondStart, AsksTheRunningCopyWaitsOnlyForOneStartingOrEnding) {
  using platform::AskAnswer;
  using app::StartDecision;
  struct Case {
    const char* what;
    int freeAt;
    std::vector<AskAnswer> answers;
    StartDecision decision;
    int asks;
  };
  const Case cases[] = {
      {"the only copy", 0, {AskAnswer::Answered}, StartDecision::Run, 0},
      {"a running copy comes forward", -1, {AskAnswer::Answered}, StartDecision::End, 1},
      {"a hung copy is not waited for", -1, {AskAnswer::NoAnswer}, StartDecision::End, 1},
      {"one starting: asked once its window exists", -1,
       {AskAnswer::NoWindow, AskAnswer::NoWindow, AskAnswer::Answered}, StartDecision::End, 3},
      {"one ending: this start runs once it is gone", 2, {AskAnswer::Declined}, StartDecision::Run, 2},
      {"one gone before it could answer", 1, {AskAnswer::NoWindow}, StartDecision::Run, 1},
      {"a lock held with no window ever: given up", -1, {AskAnswer::NoWindow}, StartDecision::End,
       app::kLockTries},
      {"an elevated copy comes forward", kRefused, {AskAnswer::Answered}, StartDecision::End, 1},
      {"an elevated copy cannot be asked", kRefused, {AskAnswer::NoWindow}, StartDecision::End, 1},
  };
  for (const Case& c : cases) {
    ScriptedCopies copies;
    copies.freeAt = c.freeAt;
    copies.answers = c.answers;
    EXPECT_EQ(app::DecideStart(copies), c.decision) << c.what;
    EXPECT_EQ(copies.asks, c.asks) << c.what;
    // Never a wait longer than a step; the first try does not wait at all.
    EXPECT_EQ(copies.waits.front(), 0u) << c.what;
    for (size_t i = 1; i < copies.waits.size(); ++i) EXPECT_EQ(copies.waits[i], app::kLockWaitMs) << c.what;
  }
}

}  // namespace
