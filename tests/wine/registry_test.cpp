// The four registry operations and the settings reader against Wine's registry.
#include <windows.h>

#include <gtest/gtest.h>

#include "platform/win32/registry_win32.h"
#include "platform/win32/unique_handle.h"
#include "settings/registry_ops.h"
#include "settings/settings.h"
#include "settings/settings_store.h"

namespace {

using namespace settings;
using platform::kHkeyCurrentUser;
using platform::win32::UniqueHkey;

// A throwaway key of its own for every test.
class RealRegistry : public testing::Test {
 protected:
  void SetUp() override {
    path_ = std::string("Software\\Varnosk\\AdreloTest\\") +
            testing::UnitTest::GetInstance()->current_test_info()->name();
    RegDeleteTreeA(HKEY_CURRENT_USER, path_.c_str());
  }
  void TearDown() override { RegDeleteTreeA(HKEY_CURRENT_USER, path_.c_str()); }

  void PutRaw(const char* name, DWORD type, const void* data, DWORD size) {
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, path_.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS,
                              nullptr, &key, nullptr),
              ERROR_SUCCESS);
    const UniqueHkey owner(key);
    ASSERT_EQ(RegSetValueExA(key, name, 0, type, static_cast<const BYTE*>(data), size), ERROR_SUCCESS);
  }

  // The value's type and its data as stored, read with the Unicode function.
  std::pair<DWORD, std::wstring> StoredWide(const char* name) {
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, path_.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return {};
    const UniqueHkey owner(key);
    wchar_t data[2048] = {};
    DWORD size = sizeof(data) - sizeof(wchar_t), type = 0;
    std::wstring wideName(name, name + strlen(name));
    if (RegQueryValueExW(key, wideName.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(data), &size) != ERROR_SUCCESS) {
      return {};
    }
    return {type, std::wstring(data, size / sizeof(wchar_t))};
  }

  platform::win32::Win32Registry registry_;
  std::string path_;
};

TEST_F(RealRegistry, RoundTripGivesBackExactlyTheDigits) {
  CreateRegKey(registry_, kHkeyCurrentUser, path_);
  SetRegValue(registry_, kHkeyCurrentUser, path_, "Left", "-4838");
  const auto [type, data] = StoredWide("Left");
  EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));
  // The size passed leaves the terminator out; the registry counts it itself
  // when the byte after the data is zero, as Windows does.
  EXPECT_EQ(std::wstring(data.c_str()), L"-4838");
  EXPECT_EQ(QueryRegValue(registry_, kHkeyCurrentUser, path_, "Left", "1"), "-4838");
  SetRegValue(registry_, kHkeyCurrentUser, path_, "Left", "7");
  EXPECT_EQ(QueryRegValue(registry_, kHkeyCurrentUser, path_, "Left", "1"), "7");
}

TEST_F(RealRegistry, MissingKeyOrValueGivesTheDefaultAndSetCreatesNoKey) {
  EXPECT_EQ(QueryRegValue(registry_, kHkeyCurrentUser, path_, "ShowIP", "1"), "1");
  SetRegValue(registry_, kHkeyCurrentUser, path_, "ShowIP", "2");
  HKEY key = nullptr;
  EXPECT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, path_.c_str(), 0, KEY_READ, &key), ERROR_FILE_NOT_FOUND);
  CreateRegKey(registry_, kHkeyCurrentUser, path_);
  EXPECT_EQ(QueryRegValue(registry_, kHkeyCurrentUser, path_, "ShowIP", "dflt"), "dflt");
}

TEST_F(RealRegistry, ValuesBeyond128BytesReadAsMissing) {
  CreateRegKey(registry_, kHkeyCurrentUser, path_);
  SetRegValue(registry_, kHkeyCurrentUser, path_, "Fits", std::string(127, '5'));
  // 128 characters and the terminator the registry adds need 129 bytes.
  SetRegValue(registry_, kHkeyCurrentUser, path_, "Written128", std::string(128, '5'));
  // 128 bytes stored with no terminator (the byte after them is not zero).
  const std::string unterminated = std::string(128, '5') + "X";
  PutRaw("Exact", REG_SZ, unterminated.data(), 128);
  SetRegValue(registry_, kHkeyCurrentUser, path_, "Over", std::string(129, '5'));
  SetRegValue(registry_, kHkeyCurrentUser, path_, "Long", std::string(200, '5'));
  EXPECT_EQ(QueryRegValue(registry_, kHkeyCurrentUser, path_, "Fits", "d"), std::string(127, '5'));
  EXPECT_EQ(QueryRegValue(registry_, kHkeyCurrentUser, path_, "Written128", "d"), "d");
  EXPECT_EQ(QueryRegValue(registry_, kHkeyCurrentUser, path_, "Exact", "d"), std::string(128, '5'));
  EXPECT_EQ(QueryRegValue(registry_, kHkeyCurrentUser, path_, "Over", "d"), "d");
  EXPECT_EQ(QueryRegValue(registry_, kHkeyCurrentUser, path_, "Long", "d"), "d");
}

// As the registry names values: in any letter case, in every script.
TEST_F(RealRegistry, DeleteIgnoresLetterCaseAndLooksPastLongValues) {
  CreateRegKey(registry_, kHkeyCurrentUser, path_);
  SetRegValue(registry_, kHkeyCurrentUser, path_, "Updater", std::string(1000, 'x'));
  SetRegValue(registry_, kHkeyCurrentUser, path_, "adrelo", "C:\\old\\adrelo.exe");
  SetRegValueW(registry_, kHkeyCurrentUser, path_, L"АДРЕЛО", L"C:\\Адрело.exe");
  EXPECT_TRUE(HasRegValueW(registry_, kHkeyCurrentUser, path_, L"Адрело"));
  EXPECT_TRUE(DeleteRegValue(registry_, kHkeyCurrentUser, path_, "ADRELO"));
  EXPECT_EQ(QueryRegValue(registry_, kHkeyCurrentUser, path_, "adrelo", "gone"), "gone");
  EXPECT_TRUE(DeleteRegValueW(registry_, kHkeyCurrentUser, path_, L"Адрело"));
  EXPECT_FALSE(HasRegValueW(registry_, kHkeyCurrentUser, path_, L"АДРЕЛО"));
  EXPECT_EQ(std::wstring(StoredWide("Updater").second.c_str()).size(), 1000u);  // untouched
}

TEST_F(RealRegistry, DeleteReportsAKeyItCannotOpen) {
  EXPECT_FALSE(DeleteRegValue(registry_, kHkeyCurrentUser, path_ + "\\Missing", "Adrelo"));
  CreateRegKey(registry_, kHkeyCurrentUser, path_);
  EXPECT_TRUE(DeleteRegValue(registry_, kHkeyCurrentUser, path_, "NotThere"));
}

// Values of other types or forms under the real settings key: each reads as
// missing, so its default applies, and nothing is read past the buffer.
TEST_F(RealRegistry, HostileSettingsReadAsTheirDefaults) {
  path_ = kSettingsKeyPath;
  RegDeleteTreeA(HKEY_CURRENT_USER, path_.c_str());
  const DWORD dword = 100;
  const std::string binary(128, '1');  // 128 digits, no terminating zero
  PutRaw("Language", REG_DWORD, &dword, sizeof(dword));
  PutRaw("ShowIP", REG_BINARY, binary.data(), static_cast<DWORD>(binary.size()));
  PutRaw("CopyInfo", REG_SZ, "40000", 6);
  PutRaw("Tip_Window", REG_SZ, "", 0);
  PutRaw("Start_with_Win", REG_SZ, "0x10", 5);
  PutRaw("Left", REG_SZ, "3000000000", 11);
  PutRaw("Top", REG_EXPAND_SZ, "-15", 4);  // a number, whatever the type
  EXPECT_EQ(ReadInt16(registry_, kLanguageValue), 1000);
  EXPECT_EQ(ReadInt16(registry_, kShowIpValue), 1);
  EXPECT_EQ(ReadInt16(registry_, kCopyInfoValue), 1);
  EXPECT_EQ(ReadInt16(registry_, kTipWindowValue), 1);
  EXPECT_EQ(ReadInt16(registry_, kStartWithWinValue), 1);
  EXPECT_EQ(ReadInt32(registry_, kLeftValue), 1);
  EXPECT_EQ(ReadInt32(registry_, kTopValue), -15);
}

TEST(RootKeys, HaveTheValuesTheLogicUses) {
  EXPECT_EQ(reinterpret_cast<platform::RegKey>(HKEY_CURRENT_USER), platform::kHkeyCurrentUser);
  EXPECT_EQ(reinterpret_cast<platform::RegKey>(HKEY_LOCAL_MACHINE), platform::kHkeyLocalMachine);
}

}  // namespace
