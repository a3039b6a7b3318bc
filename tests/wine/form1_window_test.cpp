// The main window on Wine: frame, control layout, captions with their
// shortcut texts, fonts and the window operations.
#include <windows.h>

#include <gtest/gtest.h>

#include <set>
#include <vector>

#include "localization/captions.h"
#include "main_window/form1_window.h"
#include "platform/win32/dpi.h"
#include "platform/win32/string_table_win32.h"
#include "resources/resource.h"

namespace {

using main_window::Form1Window;

class MainWindow : public testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(window_.Create()); }

  RECT ClientRectOf(int controlId) {
    RECT rect{};
    HWND control = GetDlgItem(window_.hwnd(), controlId);
    GetWindowRect(control, &rect);
    MapWindowPoints(nullptr, window_.hwnd(), reinterpret_cast<POINT*>(&rect), 2);
    return rect;
  }
  LOGFONTW FontOf(int controlId) {
    LOGFONTW font{};
    auto handle = reinterpret_cast<HFONT>(SendMessageW(GetDlgItem(window_.hwnd(), controlId), WM_GETFONT, 0, 0));
    GetObjectW(handle, sizeof(font), &font);
    return font;
  }
  std::wstring MenuText(HMENU menu, UINT item, UINT flags) {
    wchar_t text[256] = {};
    GetMenuStringW(menu, item, text, 256, flags);
    return text;
  }

  Form1Window window_{GetModuleHandleW(nullptr)};
  const platform::win32::Win32StringTable strings_{GetModuleHandleW(nullptr)};
};

TEST_F(MainWindow, HasAFixedFrameAndA373By120ClientAreaAt96Dpi) {
  ASSERT_EQ(window_.Dpi(), 96);
  const LONG style = GetWindowLongW(window_.hwnd(), GWL_STYLE);
  EXPECT_TRUE(style & WS_SYSMENU);
  EXPECT_TRUE(style & WS_MINIMIZEBOX);
  EXPECT_FALSE(style & WS_MAXIMIZEBOX);
  EXPECT_FALSE(style & WS_THICKFRAME);
  EXPECT_FALSE(IsWindowVisible(window_.hwnd()));  // shown only by start-up
  RECT client{};
  GetClientRect(window_.hwnd(), &client);
  EXPECT_EQ(client.right, 373);
  EXPECT_EQ(client.bottom, 120);
  wchar_t title[64] = {};
  GetWindowTextW(window_.hwnd(), title, 64);
  EXPECT_STREQ(title, L"Adrelo Viewer");
}

// Asked for its size at a DPI, as Windows asks before a move to a monitor of
// that DPI, the window answers its client area in its own frame: at its own
// DPI, the size it has. Wine shows one monitor, the screen, at that DPI.
TEST_F(MainWindow, AnswersItsSizeForADpiOnItsOneMonitor) {
  RECT outer{};
  GetWindowRect(window_.hwnd(), &outer);
  SIZE asked{};
  EXPECT_EQ(SendMessageW(window_.hwnd(), platform::win32::kGetDpiScaledSizeMessage, window_.Dpi(),
                         reinterpret_cast<LPARAM>(&asked)),
            TRUE);
  EXPECT_EQ(asked.cx, outer.right - outer.left);
  EXPECT_EQ(asked.cy, outer.bottom - outer.top);
  const std::vector<platform::PixelRect> monitors = window_.Monitors();
  ASSERT_EQ(monitors.size(), 1u);
  EXPECT_EQ(monitors[0], (platform::PixelRect{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)}));
  EXPECT_EQ(window_.DpiOn(monitors[0]), window_.Dpi());
}

// The shell's restart notice is let through to the window, whatever the
// integrity levels of the program and Explorer.
struct FilterCall {
  HWND window;
  UINT message;
  DWORD action;
};
std::vector<FilterCall> filterCalls;
BOOL WINAPI RecordFilterCall(HWND window, UINT message, DWORD action, PCHANGEFILTERSTRUCT) {
  filterCalls.push_back({window, message, action});
  return TRUE;
}

// And a second start's request to come forward, so that a copy started
// without elevation reaches one that runs elevated.
TEST(MainWindowFilter, LetsTheTaskbarCreatedAndTheComeForwardMessagesThrough) {
  filterCalls.clear();
  Form1Window window{GetModuleHandleW(nullptr), RecordFilterCall};
  ASSERT_TRUE(window.Create());
  ASSERT_EQ(filterCalls.size(), 2u);
  const wchar_t* names[] = {L"TaskbarCreated", L"AdreloViewer.ComeForward"};
  for (size_t i = 0; i < filterCalls.size(); ++i) {
    EXPECT_EQ(filterCalls[i].window, window.hwnd());
    EXPECT_EQ(filterCalls[i].message, RegisterWindowMessageW(names[i])) << i;
    EXPECT_EQ(filterCalls[i].action, static_cast<DWORD>(MSGFLT_ALLOW));
  }
}

TEST_F(MainWindow, RefusesToBeMaximisedOrSized) {
  ShowWindow(window_.hwnd(), SW_SHOWNORMAL);
  RECT before{}, after{};
  GetWindowRect(window_.hwnd(), &before);
  SendMessageW(window_.hwnd(), WM_SYSCOMMAND, SC_MAXIMIZE, 0);
  SendMessageW(window_.hwnd(), WM_SYSCOMMAND, SC_SIZE | 8 /*WMSZ_BOTTOMRIGHT*/, 0);
  GetWindowRect(window_.hwnd(), &after);
  EXPECT_FALSE(IsZoomed(window_.hwnd()));
  EXPECT_TRUE(EqualRect(&before, &after));
}

TEST_F(MainWindow, ControlsSitAtTheirPositionsEachFieldAfterItsLabel) {
  struct Expected {
    int id;
    RECT rect;
  };
  for (const Expected& e : {Expected{IDC_Label1, {0, 8, 169, 33}}, Expected{IDC_Text1, {176, 8, 369, 35}},
                            Expected{IDC_Label2, {0, 56, 169, 81}}, Expected{IDC_List1, {176, 56, 369, 115}}}) {
    const RECT rect = ClientRectOf(e.id);
    EXPECT_TRUE(EqualRect(&rect, &e.rect)) << e.id << ": " << rect.left << "," << rect.top << " "
                                           << rect.right << "," << rect.bottom;
  }
  std::vector<int> order;
  for (HWND child = GetWindow(window_.hwnd(), GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    order.push_back(GetDlgCtrlID(child));
  }
  EXPECT_EQ(order, (std::vector<int>{IDC_Label1, IDC_Text1, IDC_Label2, IDC_List1}));
  EXPECT_TRUE(GetWindowLongW(GetDlgItem(window_.hwnd(), IDC_Label1), GWL_STYLE) & SS_RIGHT);
  EXPECT_FALSE(GetWindowLongW(GetDlgItem(window_.hwnd(), IDC_List1), GWL_STYLE) & LBS_SORT);
}

TEST_F(MainWindow, CaptionsShowShortcutsAndMnemonicsInBothLanguages) {
  HMENU bar = GetMenu(window_.hwnd());
  HMENU popups = window_.popupMenus();
  ASSERT_TRUE(localization::LoadSetings(window_, strings_, 204, 100));
  EXPECT_EQ(MenuText(bar, 0, MF_BYPOSITION), L"Ин&формация");
  EXPECT_EQ(MenuText(bar, 1, MF_BYPOSITION), L"Изг&лед");
  EXPECT_EQ(MenuText(bar, IDM_mnuCopyHost, MF_BYCOMMAND), L"Копирай Хост името\tCtrl+H");
  EXPECT_EQ(MenuText(bar, IDM_mnuRefresh, MF_BYCOMMAND), L"Освежи\tF5");
  EXPECT_EQ(MenuText(popups, IDM_mnuRestore, MF_BYCOMMAND), L"Отвори");
  EXPECT_EQ(window_.Text(IDC_Label1), L"Име на Компютъра : ");

  ASSERT_TRUE(localization::LoadSetings(window_, strings_, 0, 0));
  const std::vector<std::wstring> general = {
      L"Copy Host Name\tCtrl+H", L"Copy IP Address\tCtrl+I", L"", L"Refresh\tF5", L"",
      L"Settings\tCtrl+O", L"", L"Exit\tCtrl+X"};
  HMENU generalMenu = GetSubMenu(bar, 0);
  ASSERT_EQ(GetMenuItemCount(generalMenu), static_cast<int>(general.size()));
  for (int i = 0; i < GetMenuItemCount(generalMenu); ++i) {
    EXPECT_EQ(MenuText(generalMenu, i, MF_BYPOSITION), general[i]) << i;
  }
  EXPECT_EQ(MenuText(bar, 0, MF_BYPOSITION), L"In&formation");
  EXPECT_EQ(MenuText(bar, 2, MF_BYPOSITION), L"&Help");
  EXPECT_EQ(MenuText(bar, IDM_MnuMinSys, MF_BYCOMMAND), L"Minimise to System Tray\tCtrl+S");
  EXPECT_EQ(MenuText(bar, IDM_mnuAbout, MF_BYCOMMAND), L"Help About");
  // The same command in a popup shows no shortcut.
  EXPECT_EQ(MenuText(popups, IDM_mnuCHost, MF_BYCOMMAND), L"Copy Host Name");
  EXPECT_EQ(MenuText(popups, IDM_mnuCopyHost2, MF_BYCOMMAND), L"Copy Host Name");
  EXPECT_EQ(MenuText(popups, IDM_mnuExit2, MF_BYCOMMAND), L"Exit");
}

TEST_F(MainWindow, LabelsFollowTheLanguagesCharsetWhileTheFieldsKeepCyrillic) {
  for (const int id : {IDC_List1, IDC_Text1, IDC_Label1, IDC_Label2}) {
    const LOGFONTW font = FontOf(id);
    EXPECT_STREQ(font.lfFaceName, L"Arial") << id;
    EXPECT_EQ(font.lfWeight, FW_BOLD) << id;
    EXPECT_EQ(font.lfHeight, -16) << id;  // 12 point at 96 dpi
    EXPECT_EQ(font.lfCharSet, 204) << id;
  }
  ASSERT_TRUE(localization::LoadSetings(window_, strings_, 0, 0));
  EXPECT_EQ(FontOf(IDC_Label1).lfCharSet, 0);
  EXPECT_EQ(FontOf(IDC_Label2).lfCharSet, 0);
  EXPECT_EQ(FontOf(IDC_Text1).lfCharSet, 204);
  EXPECT_EQ(FontOf(IDC_List1).lfCharSet, 204);
  EXPECT_STREQ(FontOf(IDC_Label1).lfFaceName, L"Arial");
}

TEST_F(MainWindow, LanguageSwitchesReuseOneFontPerCharset) {
  std::set<HFONT> fonts;
  for (int i = 0; i < 200; ++i) {
    const bool bulgarian = i % 2 == 0;
    ASSERT_TRUE(localization::LoadSetings(window_, strings_, bulgarian ? 204 : 0, bulgarian ? 100 : 0));
    fonts.insert(reinterpret_cast<HFONT>(SendMessageW(GetDlgItem(window_.hwnd(), IDC_Label1), WM_GETFONT, 0, 0)));
    fonts.insert(reinterpret_cast<HFONT>(SendMessageW(GetDlgItem(window_.hwnd(), IDC_Text1), WM_GETFONT, 0, 0)));
  }
  EXPECT_EQ(fonts.size(), 2u);
}

TEST_F(MainWindow, FieldAndListKeepWhatTheyAreGiven) {
  window_.SetText(IDC_Text1, L"работна-станция");
  EXPECT_EQ(window_.Text(IDC_Text1), L"работна-станция");
  window_.ListAppend(IDC_List1, L"192.168.77.3");
  window_.ListAppend(IDC_List1, L"10.0.0.5");
  ASSERT_EQ(window_.ListCount(IDC_List1), 2);
  EXPECT_EQ(window_.ListEntry(IDC_List1, 0), L"192.168.77.3");  // unsorted: in the order given
  EXPECT_EQ(window_.ListEntry(IDC_List1, 1), L"10.0.0.5");
  EXPECT_EQ(window_.ListEntry(IDC_List1, 2), L"");
  window_.ListClear(IDC_List1);
  EXPECT_EQ(window_.ListCount(IDC_List1), 0);
}

TEST_F(MainWindow, StatesAndBoundsAreApplied) {
  window_.SetBounds({10, 20, 379, 164});
  RECT rect{};
  GetWindowRect(window_.hwnd(), &rect);
  EXPECT_EQ(rect.left, 10);
  EXPECT_EQ(rect.top, 20);
  window_.SetShowState(platform::ShowState::Minimized);
  EXPECT_TRUE(IsWindowVisible(window_.hwnd()));
  EXPECT_TRUE(IsIconic(window_.hwnd()));
  window_.SetShowState(platform::ShowState::Normal);
  EXPECT_FALSE(IsIconic(window_.hwnd()));
  window_.SetShowState(platform::ShowState::Hidden);
  EXPECT_FALSE(IsWindowVisible(window_.hwnd()));
}

// Records what the hooked fields hand on, and intercepts as the logic does.
struct FieldEventsSpy final : main_window::Form1Events {
  std::vector<std::pair<int, tray::FieldInput>> inputs;
  std::vector<int> commands;
  void OnCommand(int commandId) override { commands.push_back(commandId); }
  void OnTimer() override {}
  main_window::CloseAction OnCloseRequest() override { return main_window::CloseAction::KeepRunning; }
  main_window::CloseAction OnEndSession() override { return main_window::CloseAction::KeepRunning; }
  void OnTrayNotify(int) override {}
  void OnTaskbarCreated() override {}
  void OnScaleChanged() override {}
  bool OnComeForward() override { return true; }
  bool OnFieldInput(int controlId, tray::FieldInput input, platform::PixelPoint) override {
    inputs.emplace_back(controlId, input);
    return controlId == IDC_Text1;
  }
  std::wstring OnListTip(int) override { return {}; }
};

TEST_F(MainWindow, FieldHooksHandOnTheirInputsChainAndComeOffAgain) {
  HWND text1 = GetDlgItem(window_.hwnd(), IDC_Text1);
  HWND list1 = GetDlgItem(window_.hwnd(), IDC_List1);
  const LONG_PTR textProc = GetWindowLongPtrW(text1, GWLP_WNDPROC);
  const LONG_PTR listProc = GetWindowLongPtrW(list1, GWLP_WNDPROC);
  FieldEventsSpy spy;
  window_.SetEvents(&spy);
  window_.HookText1();
  window_.HookList1();
  SendMessageW(text1, WM_RBUTTONUP, 0, 0);
  SendMessageW(text1, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(text1), -1);
  SendMessageW(text1, WM_KEYUP, VK_APPS, 0);  // not an input: its WM_CONTEXTMENU is
  SendMessageW(list1, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(list1), -1);
  // Everything else reaches each control's own procedure.
  SendMessageW(list1, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(L"10.0.0.5"));
  SendMessageW(text1, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"host"));
  EXPECT_EQ(window_.ListCount(IDC_List1), 1);
  EXPECT_EQ(window_.Text(IDC_Text1), L"host");
  using tray::FieldInput;
  EXPECT_EQ(spy.inputs, (std::vector<std::pair<int, FieldInput>>{
                            {IDC_Text1, FieldInput::RightButtonUp},
                            {IDC_Text1, FieldInput::MenuKey},
                            {IDC_List1, FieldInput::MenuKey}}));
  window_.UnhookList1();
  window_.UnhookText1();
  EXPECT_EQ(GetWindowLongPtrW(text1, GWLP_WNDPROC), textProc);
  EXPECT_EQ(GetWindowLongPtrW(list1, GWLP_WNDPROC), listProc);
  window_.SetEvents(nullptr);
}

// Ctrl+X typed to the window: nothing while it is hidden, Exit once shown.
TEST_F(MainWindow, ShortcutKeysActOnlyWhileTheWindowIsShown) {
  FieldEventsSpy spy;
  window_.SetEvents(&spy);
  BYTE keys[256] = {};
  GetKeyboardState(keys);
  keys[VK_CONTROL] = 0x80;
  SetKeyboardState(keys);
  MSG ctrlX{};
  ctrlX.hwnd = window_.hwnd();
  ctrlX.message = WM_KEYDOWN;
  ctrlX.wParam = 'X';
  EXPECT_FALSE(window_.TranslateShortcut(ctrlX));
  EXPECT_TRUE(spy.commands.empty());
  ShowWindow(window_.hwnd(), SW_SHOWNOACTIVATE);
  EXPECT_TRUE(window_.TranslateShortcut(ctrlX));
  keys[VK_CONTROL] = 0;
  SetKeyboardState(keys);
  EXPECT_EQ(spy.commands, std::vector<int>{IDM_mnuExit});
  window_.SetEvents(nullptr);
}

}  // namespace
