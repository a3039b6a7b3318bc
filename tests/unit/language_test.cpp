// The string table's content, the lookup with its guard, the character-set
// rule, the start language and the main window's captions.
#include <gtest/gtest.h>

#include "localization/captions.h"
#include "localization/language.h"
#include "resources/resource.h"
#include "tests/expected_strings.h"
#include "tests/fakes/fakes.h"

namespace {

using namespace localization;
using testing_support::CallLog;
using testing_support::FakeWindow;
using testing_support::RcStringTable;
using testing_support::kExpectedStrings;


TEST(StringTable, HoldsExactlyTheEnglishAndBulgarianTexts) {
  const RcStringTable table;
  std::size_t checked = 0;
  for (const auto& entry : kExpectedStrings) {
    EXPECT_EQ(table.Load(entry.id), std::wstring(entry.english)) << "id " << entry.id;
    EXPECT_EQ(table.Load(entry.id + 100), std::wstring(entry.bulgarian)) << "id " << entry.id + 100;
    checked += 2;
  }
  // Nothing else: ids 14 to 20 and 114 to 120 are absent.
  EXPECT_EQ(table.entries().size(), checked);
  for (int id = 14; id <= 20; ++id) {
    EXPECT_FALSE(table.Load(id));
    EXPECT_FALSE(table.Load(id + 100));
  }
}

TEST(Lookup, AddsTheOffsetAndGuardsAgainstOverflow) {
  const RcStringTable table;
  EXPECT_EQ(LookupString(table, IDS_EXIT, 0), L"Exit");
  EXPECT_EQ(LookupString(table, IDS_EXIT, 100), L"Изход");
  EXPECT_FALSE(LookupString(table, IDS_EXIT, 32767));     // 32775 does not fit 16 bits
  EXPECT_FALSE(LookupString(table, IDS_EXIT, -32768));    // -32760: no such entry
  EXPECT_FALSE(LookupString(table, 1, 32767));
}

TEST(Charset, CyrillicForBulgarianOnly) {
  EXPECT_EQ(CharsetForLanguage(100), 204);
  EXPECT_EQ(CharsetForLanguage(0), 0);
  EXPECT_EQ(CharsetForLanguage(1000), 0);
}

TEST(StartLanguage, AStored0Or100StaysAnythingElseFollowsTheLocale) {
  struct Case {
    std::int16_t stored;
    std::uint32_t locale;
    std::int16_t expected;
  };
  for (const Case& c : {Case{0, 1026, 0}, Case{100, 1033, 100}, Case{1, 1026, 100},
                        Case{101, 1026, 100}, Case{1000, 1026, 100}, Case{1000, 1033, 0},
                        Case{5, 1033, 0}, Case{-100, 1026, 100},
                        // The whole identifier counts, not just its language part.
                        Case{1000, 0x10402, 0}, Case{1000, 0x0002, 0}}) {
    EXPECT_EQ(StartLanguage(c.stored, c.locale), c.expected)
        << "stored " << c.stored << " locale " << c.locale;
  }
}

TEST(LoadSetings, SetsTheTwentyOnePropertiesInOrder) {
  CallLog log;
  FakeWindow window(&log);
  const RcStringTable table;
  ASSERT_TRUE(LoadSetings(window, table, 204, 100));
  const std::vector<std::string> expected = {
      "window.SetFontCharset 1003 204", "window.SetText 1003",
      "window.SetFontCharset 1004 204", "window.SetText 1004",
      "window.SetMenuCaption 2000",     "window.SetMenuCaption 2001",
      "window.SetMenuCaption 2030",     "window.SetMenuCaption 2002",
      "window.SetMenuCaption 2040",     "window.SetMenuCaption 2003",
      "window.SetMenuCaption 2004",     "window.SetMenuCaption 2005",
      "window.SetMenuCaption 2010",     "window.SetMenuCaption 2011",
      "window.SetMenuCaption 2012",     "window.SetMenuCaption 2020",
      "window.SetMenuCaption 2021",     "window.SetMenuCaption 2052",
      "window.SetMenuCaption 2050",     "window.SetMenuCaption 2051",
      "window.SetMenuCaption 2053",
  };
  EXPECT_EQ(log, expected);
  EXPECT_EQ(window.texts[IDC_Label1], L"Име на Компютъра : ");
  EXPECT_EQ(window.texts[IDC_Label2], L"IP Адрес : ");
  EXPECT_EQ(window.menuCaptions[IDM_mnuGeneral], L"Ин&формация");
  EXPECT_EQ(window.menuCaptions[IDM_mnuCHost], L"Копирай Хост името");
  EXPECT_EQ(window.menuCaptions[IDM_mnuRestore], L"Отвори");
  EXPECT_EQ(window.menuCaptions[IDM_mnuExit2], L"Изход");
}

TEST(LoadSetings, SwitchingBackToEnglishRecaptionsEverything) {
  FakeWindow window;
  const RcStringTable table;
  ASSERT_TRUE(LoadSetings(window, table, 204, 100));
  ASSERT_TRUE(LoadSetings(window, table, 0, 0));
  EXPECT_EQ(window.charsets[IDC_Label1], 0);
  EXPECT_EQ(window.charsets[IDC_Label2], 0);
  EXPECT_EQ(window.texts[IDC_Label1], L"Host name : ");
  EXPECT_EQ(window.menuCaptions.size(), 17u);  // 19 captions, some ids twice
  for (const auto& [id, caption] : window.menuCaptions) {
    EXPECT_EQ(caption.find_first_of(L"АБВГДЕЖЗИЙКЛМНОПРСТУФХЦЧШЩЪЬЮЯабвгдежзийклмнопрстуфхцчшщъьюя"),
              std::wstring::npos)
        << id;
  }
  EXPECT_EQ(window.menuCaptions[IDM_MnuMinTask], L"Minimise to Task Bar");
}

TEST(LoadSetings, StopsWhereTheGuardFires) {
  CallLog log;
  FakeWindow window(&log);
  const RcStringTable table;
  EXPECT_FALSE(LoadSetings(window, table, 0, 32767));
  // The character set of Label1 is set before its caption's lookup fails.
  EXPECT_EQ(log, std::vector<std::string>{"window.SetFontCharset 1003 0"});
}

}  // namespace
