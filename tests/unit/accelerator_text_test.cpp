// The shortcut keys of the resource script and how the menus show them.
#include <gtest/gtest.h>

#include <map>

#include "main_window/accelerator_text.h"
#include "resources/resource.h"
#include "tests/fakes/rc_file.h"

namespace {

using namespace main_window;
using namespace testing_support;

TEST(ShortcutText, InTheSystemsUsualForm) {
  EXPECT_EQ(ShortcutText({kAccelVirtKey | kAccelControl, 'H'}), L"Ctrl+H");
  EXPECT_EQ(ShortcutText({kAccelVirtKey, 0x74}), L"F5");
  EXPECT_EQ(ShortcutText({kAccelVirtKey | kAccelControl | kAccelShift, 'S'}), L"Ctrl+Shift+S");
  EXPECT_EQ(ShortcutText({kAccelVirtKey | kAccelAlt, 0x87}), L"Alt+F24");
  EXPECT_EQ(ShortcutText({kAccelVirtKey, 0x2E}), L"");       // no simple name: not shown
  EXPECT_EQ(ShortcutText({kAccelControl, 'H'}), L"");        // a character, not a key
  EXPECT_EQ(CaptionWithShortcut(L"Refresh", L"F5"), L"Refresh\tF5");
  EXPECT_EQ(CaptionWithShortcut(L"Help About", L""), L"Help About");
}

TEST(Accelerators, TheMenuBarItemsHaveTheirKeysAndNothingElseHasOne) {
  const auto defines = ParseDefines(SourcePath("resources/resource.h"));
  std::map<int, std::wstring> shown;
  for (const RcAccelerator& a : ParseAccelerators(SourcePath("resources/adrelo.rc"), defines)) {
    EXPECT_TRUE(shown.emplace(a.command, ShortcutText({a.flags, a.key})).second) << a.command;
  }
  const std::map<int, std::wstring> expected = {
      {IDM_mnuCopyHost, L"Ctrl+H"}, {IDM_MnuCopyIP, L"Ctrl+I"}, {IDM_mnuRefresh, L"F5"},
      {IDM_mnuSet, L"Ctrl+O"},      {IDM_mnuExit, L"Ctrl+X"},   {IDM_MnuMinSys, L"Ctrl+S"},
      {IDM_MnuMinTask, L"Ctrl+T"},
  };
  EXPECT_EQ(shown, expected);
}

}  // namespace
