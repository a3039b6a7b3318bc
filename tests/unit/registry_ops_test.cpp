// The four registry operations against an in-memory registry.
#include <gtest/gtest.h>

#include "settings/registry_ops.h"
#include "tests/fakes/fakes.h"

namespace {

using namespace settings;
using platform::kHkeyCurrentUser;
using platform::kHkeyLocalMachine;
using testing_support::FakeRegistry;

constexpr char kKey[] = "Software\\Varnosk\\Adrelo\\Settings";
constexpr char kRunKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";

TEST(RegistryOps, EveryOperationUsesTheKeyAccessMaskAndClosesWhatItOpens) {
  FakeRegistry registry;
  CreateRegKey(registry, kHkeyCurrentUser, kKey);
  SetRegValue(registry, kHkeyCurrentUser, kKey, "ShowIP", "2");
  EXPECT_EQ(QueryRegValue(registry, kHkeyCurrentUser, kKey, "ShowIP", "1"), "2");
  EXPECT_TRUE(DeleteRegValue(registry, kHkeyCurrentUser, kKey, "ShowIP"));
  // The query asks only to read (KEY_READ).
  EXPECT_EQ(registry.accessMasks, (std::vector<std::uint32_t>{0x3F, 0x3F, 0x20019, 0x3F}));
  EXPECT_EQ(registry.inheritFlags, std::vector<bool>{true});
  EXPECT_EQ(registry.keyClasses, std::vector<std::string>{""});
  EXPECT_EQ(registry.openHandles, 0);
}

TEST(RegistryOps, CreateKeyKeepsExistingValuesAndFailsSilently) {
  FakeRegistry registry;
  registry.SetString(kKey, "Language", "100");
  CreateRegKey(registry, kHkeyCurrentUser, kKey);
  EXPECT_EQ(registry.GetString(kKey, "Language"), "100");

  FakeRegistry denied;
  denied.failCreate = true;
  CreateRegKey(denied, kHkeyCurrentUser, kKey);
  EXPECT_FALSE(denied.HasKey(kKey));
  EXPECT_EQ(denied.openHandles, 0);
}

// A key the user may read but not write: its values are honoured, writes
// fail without a word and change nothing.
TEST(RegistryOps, AReadOnlyKeyIsReadAndLeftAsItWas) {
  FakeRegistry registry;
  registry.SetString(kKey, "ShowIP", "2");
  registry.readOnly = true;
  EXPECT_EQ(QueryRegValue(registry, kHkeyCurrentUser, kKey, "ShowIP", "1"), "2");
  EXPECT_FALSE(SetRegValue(registry, kHkeyCurrentUser, kKey, "ShowIP", "1"));
  CreateRegKey(registry, kHkeyCurrentUser, kKey);
  EXPECT_EQ(registry.GetString(kKey, "ShowIP"), "2");
  EXPECT_EQ(registry.openHandles, 0);
}

TEST(RegistryOps, SetStoresTheDigitsWithoutATerminatorAndFlushes) {
  FakeRegistry registry;
  registry.AddKey(kKey);
  SetRegValue(registry, kHkeyCurrentUser, kKey, "Left", "-4837");
  const auto& value = registry.Values(kKey)->front();
  EXPECT_EQ(value.type, platform::kRegSz);
  EXPECT_EQ(value.data, (std::vector<std::uint8_t>{'-', '4', '8', '3', '7'}));
  EXPECT_EQ(registry.flushes, 1);
  EXPECT_EQ(QueryRegValue(registry, kHkeyCurrentUser, kKey, "Left", "1"), "-4837");
}

TEST(RegistryOps, SetWithoutTheKeyWritesNothing) {
  FakeRegistry registry;
  SetRegValue(registry, kHkeyCurrentUser, kKey, "Top", "15");
  EXPECT_FALSE(registry.HasKey(kKey));
  EXPECT_EQ(registry.flushes, 0);
}

TEST(RegistryOps, QueryFallsBackToTheDefaultForAMissingKeyOrValue) {
  FakeRegistry registry;
  EXPECT_EQ(QueryRegValue(registry, kHkeyCurrentUser, kKey, "ShowIP", "1"), "1");
  registry.AddKey(kKey);
  EXPECT_EQ(QueryRegValue(registry, kHkeyCurrentUser, kKey, "ShowIP", "dflt"), "dflt");
  EXPECT_EQ(registry.openHandles, 0);
}

TEST(RegistryOps, QueryReadsAtMost128Bytes) {
  FakeRegistry registry;
  registry.SetString(kKey, "Exact", std::string(128, '7'));
  registry.SetString(kKey, "TooLong", std::string(129, '7'));
  // 128 bytes with no zero among them: all of them, and not one byte beyond.
  EXPECT_EQ(QueryRegValue(registry, kHkeyCurrentUser, kKey, "Exact", "1"), std::string(128, '7'));
  EXPECT_EQ(QueryRegValue(registry, kHkeyCurrentUser, kKey, "TooLong", "1"), "1");
  EXPECT_EQ(registry.openHandles, 0);
}

TEST(RegistryOps, QueryOfOtherTypesReadsTheBufferUpToItsFirstZero) {
  FakeRegistry registry;
  registry.SetRaw(kKey, "Dword", 4 /*REG_DWORD*/, {0x05, 0x00, 0x00, 0x00});
  registry.SetRaw(kKey, "Binary", 3 /*REG_BINARY*/, std::vector<std::uint8_t>(128, 0xFF));
  registry.SetRaw(kKey, "Terminated", platform::kRegSz, {'4', '2', 0, '9'});
  EXPECT_EQ(QueryRegValue(registry, kHkeyCurrentUser, kKey, "Dword", "1"), "\x05");
  EXPECT_EQ(QueryRegValue(registry, kHkeyCurrentUser, kKey, "Binary", "1"), std::string(128, '\xFF'));
  EXPECT_EQ(QueryRegValue(registry, kHkeyCurrentUser, kKey, "Terminated", "1"), "42");
}

// Windows compares value names without regard to letter case: "ADRELO" is
// the value "Adrelo" stored under another case, for the ANSI and the wide
// operation alike.
TEST(RegistryOps, DeleteMatchesTheNameInAnyLetterCase) {
  for (const bool wide : {false, true}) {
    FakeRegistry registry;
    registry.SetString(kRunKey, "Other", "C:\\other.exe", kHkeyLocalMachine);
    registry.SetString(kRunKey, "ADRELO", "C:\\Tools\\Adrelo.exe", kHkeyLocalMachine);
    registry.SetString(kRunKey, "Adrelo2", "C:\\Tools\\Adrelo2.exe", kHkeyLocalMachine);
    EXPECT_TRUE(wide ? DeleteRegValueW(registry, kHkeyLocalMachine, kRunKey, L"Adrelo")
                     : DeleteRegValue(registry, kHkeyLocalMachine, kRunKey, "Adrelo"));
    EXPECT_FALSE(registry.GetString(kRunKey, "ADRELO", kHkeyLocalMachine)) << wide;
    EXPECT_EQ(registry.Values(kRunKey, kHkeyLocalMachine)->size(), 2u) << wide;
    EXPECT_EQ(registry.openHandles, 0);
  }
}

TEST(RegistryOps, DeleteLooksPastLongValuesAndLongNames) {
  FakeRegistry registry;
  registry.SetString(kRunKey, "Updater", std::string(300, 'x'), kHkeyLocalMachine);
  registry.SetString(kRunKey, std::string(300, 'n'), "C:\\n.exe", kHkeyLocalMachine);
  registry.SetString(kRunKey, "Adrelo", "C:\\Adrelo.exe", kHkeyLocalMachine);
  EXPECT_TRUE(DeleteRegValue(registry, kHkeyLocalMachine, kRunKey, "Adrelo"));
  EXPECT_FALSE(registry.GetString(kRunKey, "Adrelo", kHkeyLocalMachine));
  EXPECT_EQ(registry.Values(kRunKey, kHkeyLocalMachine)->size(), 2u);
}

TEST(RegistryOps, DeleteReportsAKeyItCannotOpenAndDeletesNothingWhenAbsent) {
  FakeRegistry registry;
  EXPECT_FALSE(DeleteRegValue(registry, kHkeyLocalMachine, kRunKey, "Adrelo"));
  registry.SetString(kRunKey, "Other", "x", kHkeyLocalMachine);
  EXPECT_TRUE(DeleteRegValue(registry, kHkeyLocalMachine, kRunKey, "Adrelo"));
  EXPECT_EQ(registry.Values(kRunKey, kHkeyLocalMachine)->size(), 1u);
  EXPECT_EQ(registry.openHandles, 0);
}

}  // namespace
