// Reading stored settings: which texts are numbers, and what the rest becomes.
#include <gtest/gtest.h>

#include "settings/settings.h"
#include "settings/settings_store.h"
#include "tests/fakes/fakes.h"

namespace {

using namespace settings;
using testing_support::FakeRegistry;

TEST(ParseDecimal, AcceptsPlainDecimalWholeNumbersWithinTheField) {
  EXPECT_EQ(ParseDecimal("0", -5, 5), 0);
  EXPECT_EQ(ParseDecimal("-5", -5, 5), -5);
  EXPECT_EQ(ParseDecimal("007", 0, 10), 7);
  EXPECT_EQ(ParseDecimal("-0", -1, 1), 0);
  EXPECT_EQ(ParseDecimal("32767", -32768, 32767), 32767);
  EXPECT_EQ(ParseDecimal("-32768", -32768, 32767), -32768);
  EXPECT_EQ(ParseDecimal("-2147483648", INT32_MIN, INT32_MAX), INT32_MIN);
  EXPECT_EQ(ParseDecimal("2147483647", INT32_MIN, INT32_MAX), INT32_MAX);
}

TEST(ParseDecimal, RejectsEverythingElse) {
  for (const char* text : {"", "-", " 1", "1 ", "+5", "0x10", "1e3", "12abc", "abc", "1.0", "--1",
                           "1-", "\x05", "\xFF", "99999999999999999999999"}) {
    EXPECT_FALSE(ParseDecimal(text, INT32_MIN, INT32_MAX)) << '"' << text << '"';
  }
  EXPECT_FALSE(ParseDecimal("32768", -32768, 32767));
  EXPECT_FALSE(ParseDecimal("-32769", -32768, 32767));
  EXPECT_FALSE(ParseDecimal("40000", -32768, 32767));
  EXPECT_FALSE(ParseDecimal("3000000000", INT32_MIN, INT32_MAX));
  EXPECT_FALSE(ParseDecimal("-2147483649", INT32_MIN, INT32_MAX));
}

TEST(ReadSetting, UnreadableTextCountsAsMissing) {
  const std::string key = kSettingsKeyPath;
  FakeRegistry registry;
  registry.SetString(key, "ShowIP", "+5");
  registry.SetString(key, "CopyInfo", "40000");
  registry.SetString(key, "Tip_Window", "");
  registry.SetString(key, "Left", "3000000000");
  registry.SetString(key, "Top", std::string(200, '1'));
  registry.SetRaw(key, "Language", 4 /*REG_DWORD*/, {100, 0, 0, 0});
  EXPECT_EQ(ReadInt16(registry, kShowIpValue), 1);
  EXPECT_EQ(ReadInt16(registry, kCopyInfoValue), 1);
  EXPECT_EQ(ReadInt16(registry, kTipWindowValue), 1);
  EXPECT_EQ(ReadInt32(registry, kLeftValue), 1);
  EXPECT_EQ(ReadInt32(registry, kTopValue), 1);
  EXPECT_EQ(ReadInt16(registry, kLanguageValue), 1000);
}

TEST(ReadSetting, NumbersAreReadWhateverTheirRange) {
  const std::string key = kSettingsKeyPath;
  FakeRegistry registry;
  registry.SetString(key, "ShowIP", "7");
  registry.SetString(key, "Left", "-15");
  registry.SetString(key, "Top", "2000000000");
  EXPECT_EQ(ReadInt16(registry, kShowIpValue), 7);
  EXPECT_EQ(ReadInt32(registry, kLeftValue), -15);
  EXPECT_EQ(ReadInt32(registry, kTopValue), 2000000000);
}

TEST(RangeRule, ValuesOutsideOneToMaxBecomeOne) {
  EXPECT_EQ(OneUnlessWithin(0, 3), 1);
  EXPECT_EQ(OneUnlessWithin(4, 3), 1);
  EXPECT_EQ(OneUnlessWithin(-1, 2), 1);
  EXPECT_EQ(OneUnlessWithin(3, 3), 3);
  EXPECT_EQ(OneUnlessWithin(2, 2), 2);
  EXPECT_EQ(OneUnlessWithin(7, 2), 1);
}

}  // namespace
