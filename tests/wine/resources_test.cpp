// The resources of the shipped Adrelo.exe, loaded from it as a data file:
// string table, menus, shortcut keys, icon, version and manifest.
#include <windows.h>

#include <gtest/gtest.h>

#include <cwctype>
#include <set>
#include <sstream>

#include "bench/image_facts.h"

#include <string>
#include <utility>
#include <vector>

#include "adrelo_version.h"
#include "platform/win32/string_table_win32.h"
#include "resources/resource.h"
#include "tests/expected_strings.h"

namespace {

class ShippedExe : public testing::Test {
 protected:
  static void SetUpTestSuite() {
    wchar_t path[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring folder(path);
    folder.resize(folder.find_last_of(L'\\') + 1);
    exePath_ = folder + L"Adrelo.exe";
    module_ = LoadLibraryExW(exePath_.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
  }
  static void TearDownTestSuite() {
    if (module_) FreeLibrary(module_);
  }
  void SetUp() override { ASSERT_NE(module_, nullptr) << "Adrelo.exe next to the tests"; }

  static std::wstring MenuText(HMENU menu, UINT position) {
    wchar_t text[256] = {};
    GetMenuStringW(menu, position, text, 256, MF_BYPOSITION);
    return text;
  }

  static inline std::wstring exePath_;
  static inline HMODULE module_ = nullptr;
};

TEST_F(ShippedExe, StringTableHoldsEveryTextExactly) {
  const platform::win32::Win32StringTable table(module_);
  for (const auto& entry : testing_support::kExpectedStrings) {
    EXPECT_EQ(table.Load(entry.id), std::wstring(entry.english)) << entry.id;
    EXPECT_EQ(table.Load(entry.id + 100), std::wstring(entry.bulgarian)) << entry.id + 100;
  }
  for (int id = 14; id <= 20; ++id) {
    EXPECT_FALSE(table.Load(id));
    EXPECT_FALSE(table.Load(id + 100));
  }
}

TEST_F(ShippedExe, MenuBarHasThreeMenusWithTheirItemsAndSeparators) {
  HMENU bar = LoadMenuW(module_, MAKEINTRESOURCEW(IDR_MAINMENU));
  ASSERT_NE(bar, nullptr);
  ASSERT_EQ(GetMenuItemCount(bar), 3);
  const std::vector<std::vector<UINT>> expected = {
      {IDM_mnuCopyHost, IDM_MnuCopyIP, 0, IDM_mnuRefresh, 0, IDM_mnuSet, 0, IDM_mnuExit},
      {IDM_MnuMinSys, IDM_MnuMinTask},
      {IDM_mnuAbout},
  };
  for (int i = 0; i < 3; ++i) {
    HMENU menu = GetSubMenu(bar, i);
    ASSERT_NE(menu, nullptr);
    std::vector<UINT> ids;
    for (int k = 0; k < GetMenuItemCount(menu); ++k) {
      const UINT id = GetMenuItemID(menu, k);
      const bool separator = (GetMenuState(menu, k, MF_BYPOSITION) & MF_SEPARATOR) != 0;
      ids.push_back(separator ? 0 : id);
    }
    EXPECT_EQ(ids, expected[i]) << "menu " << i;
  }
  DestroyMenu(bar);
}

TEST_F(ShippedExe, PopupMenusAreSeparateFromTheBar) {
  HMENU popups = LoadMenuW(module_, MAKEINTRESOURCEW(IDR_POPUPMENUS));
  ASSERT_NE(popups, nullptr);
  ASSERT_EQ(GetMenuItemCount(popups), 3);
  EXPECT_EQ(GetMenuItemID(GetSubMenu(popups, POPUP_POS_mnuPopup), 0), static_cast<UINT>(IDM_mnuCHost));
  EXPECT_EQ(GetMenuItemID(GetSubMenu(popups, POPUP_POS_mnuPopupIP), 0), static_cast<UINT>(IDM_mnuCIP));
  HMENU tray = GetSubMenu(popups, POPUP_POS_mPopupSys);
  ASSERT_EQ(GetMenuItemCount(tray), 6);
  EXPECT_EQ(GetMenuItemID(tray, 0), static_cast<UINT>(IDM_MnuCopyIP2));
  EXPECT_EQ(GetMenuItemID(tray, 1), static_cast<UINT>(IDM_mnuCopyHost2));
  EXPECT_TRUE(GetMenuState(tray, 2, MF_BYPOSITION) & MF_SEPARATOR);
  EXPECT_EQ(GetMenuItemID(tray, 3), static_cast<UINT>(IDM_mnuRestore));
  EXPECT_TRUE(GetMenuState(tray, 4, MF_BYPOSITION) & MF_SEPARATOR);
  EXPECT_EQ(GetMenuItemID(tray, 5), static_cast<UINT>(IDM_mnuExit2));
  DestroyMenu(popups);
}

TEST_F(ShippedExe, ShortcutKeysBelongToTheMenuBarItems) {
  HACCEL table = LoadAcceleratorsW(module_, MAKEINTRESOURCEW(IDR_ACCELERATORS));
  ASSERT_NE(table, nullptr);
  std::vector<ACCEL> entries(static_cast<std::size_t>(CopyAcceleratorTableW(table, nullptr, 0)));
  CopyAcceleratorTableW(table, entries.data(), static_cast<int>(entries.size()));
  ASSERT_EQ(entries.size(), 7u);
  const ACCEL f5 = entries[2];
  EXPECT_EQ(f5.key, VK_F5);
  EXPECT_EQ(f5.cmd, IDM_mnuRefresh);
  EXPECT_EQ(f5.fVirt & (FCONTROL | FALT | FSHIFT), 0);
  DestroyAcceleratorTable(table);
}

// An image drawn for every size Windows shows the icon at, 100 % to 400 %, in
// 32-bit colour; and the 256-colour ones old systems take.
TEST_F(ShippedExe, IconHasAnImageForEverySizeWindowsAsksFor) {
#pragma pack(push, 2)
  struct GroupEntry {
    BYTE width, height, colours, reserved;
    WORD planes, bitCount;
    DWORD bytes;
    WORD id;
  };
  struct GroupHeader {
    WORD reserved, type, count;
  };
#pragma pack(pop)
  HRSRC found = FindResourceW(module_, MAKEINTRESOURCEW(IDI_ADRELO), RT_GROUP_ICON);
  ASSERT_NE(found, nullptr);
  const auto* header = static_cast<const GroupHeader*>(LockResource(LoadResource(module_, found)));
  const auto* entries = reinterpret_cast<const GroupEntry*>(header + 1);
  std::vector<std::pair<int, int>> images;  // side (256 stored as 0), bits per pixel
  for (int i = 0; i < header->count; ++i) images.emplace_back(entries[i].width, entries[i].bitCount);
  EXPECT_EQ(images, (std::vector<std::pair<int, int>>{{0, 32}, {64, 32}, {48, 32}, {40, 32}, {32, 32},
                                                      {24, 32}, {20, 32}, {16, 32}, {32, 8}, {16, 8}}));
}

TEST_F(ShippedExe, VersionIsTheProjects) {
  DWORD ignored = 0;
  const DWORD size = GetFileVersionInfoSizeW(exePath_.c_str(), &ignored);
  ASSERT_GT(size, 0u);
  std::vector<BYTE> data(size);
  ASSERT_TRUE(GetFileVersionInfoW(exePath_.c_str(), 0, size, data.data()));
  VS_FIXEDFILEINFO* info = nullptr;
  UINT length = 0;
  ASSERT_TRUE(VerQueryValueW(data.data(), L"\\", reinterpret_cast<void**>(&info), &length));
  EXPECT_EQ(HIWORD(info->dwFileVersionMS), ADRELO_VERSION_MAJOR);
  EXPECT_EQ(LOWORD(info->dwFileVersionMS), ADRELO_VERSION_MINOR);
  EXPECT_EQ(HIWORD(info->dwFileVersionLS), ADRELO_VERSION_PATCH);
  wchar_t* text = nullptr;
  ASSERT_TRUE(VerQueryValueW(data.data(), L"\\StringFileInfo\\040904B0\\ProductVersion",
                             reinterpret_cast<void**>(&text), &length));
  EXPECT_STREQ(text, L"" ADRELO_VERSION_TEXT);
  // Explorer's Details tab and the signature's dialog name the licence.
  ASSERT_TRUE(VerQueryValueW(data.data(), L"\\StringFileInfo\\040904B0\\LegalCopyright",
                             reinterpret_cast<void**>(&text), &length));
  EXPECT_STREQ(text, L"MIT License");
}

BOOL CALLBACK CountManifest(HMODULE, LPCWSTR, LPWSTR name, LONG_PTR count) {
  if (IS_INTRESOURCE(name)) reinterpret_cast<std::vector<int>*>(count)->push_back(static_cast<int>(reinterpret_cast<ULONG_PTR>(name)));
  return TRUE;
}

std::string ManifestOf(HMODULE module) {
  HRSRC found = FindResourceW(module, MAKEINTRESOURCEW(1), RT_MANIFEST);
  if (found == nullptr) return {};
  const auto* text = static_cast<const char*>(LockResource(LoadResource(module, found)));
  return std::string(text, SizeofResource(module, found));
}

TEST_F(ShippedExe, CarriesOnlyItsOwnManifest) {
  std::vector<int> names;
  EnumResourceNamesW(module_, RT_MANIFEST, CountManifest, reinterpret_cast<LONG_PTR>(&names));
  ASSERT_EQ(names, std::vector<int>{1});
  const std::string manifest = ManifestOf(module_);
  for (const char* part : {"Microsoft.Windows.Common-Controls", "6.0.0.0", "asInvoker", ">true</dpiAware>",
                           ">PerMonitorV2</dpiAwareness>",
                           "supportedOS", "Varnosk.Adrelo.Viewer"}) {
    EXPECT_NE(manifest.find(part), std::string::npos) << part;
  }
}

// Both builds, each in its folder beside this one's: a manifest that named a
// processor other than the build's own would stop the program from starting
// on Windows (a side-by-side configuration error), so it names none. Each
// stays under 200 KB: a single call that needs the C++ runtime's exception
// support (a throw helper, a function-local static) adds over 100 KB.
TEST(WindowsBuilds, EachIsItsOwnArchitectureSmallAndItsManifestFitsAny) {
  wchar_t path[MAX_PATH] = {};
  GetModuleFileNameW(nullptr, path, MAX_PATH);
  std::wstring builds(path);
  builds.resize(builds.find_last_of(L'\\'));
  builds.resize(builds.find_last_of(L'\\') + 1);
  for (const auto& [folder, binaryType] :
       {std::pair{L"win32", SCS_32BIT_BINARY}, std::pair{L"win64", SCS_64BIT_BINARY}}) {
    const std::wstring exe = builds + folder + L"\\Adrelo.exe";
    DWORD type = ~0u;
    EXPECT_TRUE(GetBinaryTypeW(exe.c_str(), &type) && type == static_cast<DWORD>(binaryType))
        << "build/" << folder << " (make build makes both)";
    WIN32_FILE_ATTRIBUTE_DATA file{};
    ASSERT_TRUE(GetFileAttributesExW(exe.c_str(), GetFileExInfoStandard, &file));
    EXPECT_EQ(file.nFileSizeHigh, 0u);
    EXPECT_LT(file.nFileSizeLow, 200u * 1024) << "build/" << folder;
    HMODULE module = LoadLibraryExW(exe.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_NE(module, nullptr) << "build/" << folder;
    const std::string manifest = ManifestOf(module);
    FreeLibrary(module);
    std::size_t named = 0;
    for (std::size_t at = manifest.find("processorArchitecture="); at != std::string::npos;
         at = manifest.find("processorArchitecture=", at + 1)) {
      EXPECT_EQ(manifest.substr(at, 25), "processorArchitecture=\"*\"") << "build/" << folder;
      ++named;
    }
    EXPECT_EQ(named, 2u) << "build/" << folder << ": the program's and the common controls' identity";
    // Only libraries Windows loads from the system folder whatever the
    // program's own folder holds: KnownDLLs, and the common controls, which
    // the manifest's dependency sends to their side-by-side assembly.
    static const std::set<std::wstring> kKnownDlls = {
        L"ADVAPI32.DLL", L"GDI32.DLL", L"KERNEL32.DLL", L"MSVCRT.DLL",
        L"SHELL32.DLL",  L"USER32.DLL", L"WS2_32.DLL",  L"OLE32.DLL"};
    const bench::ImageFacts image = bench::ReadImage(exe);
    // Made for Windows 7: Windows gives it the frame metrics of today's
    // Windows, not those of XP. And aware of Remote Desktop, which otherwise
    // maps what it asks of the system as for a program of before terminal
    // servers.
    EXPECT_EQ(image.subsystemMajor * 10 + image.subsystemMinor, 61) << "build/" << folder;
    EXPECT_TRUE(image.dllCharacteristics & IMAGE_DLLCHARACTERISTICS_TERMINAL_SERVER_AWARE)
        << "build/" << folder;
    std::wistringstream imports(image.imports);
    int dlls = 0;
    for (std::wstring dll; imports >> dll; ++dlls) {
      for (wchar_t& letter : dll) letter = static_cast<wchar_t>(towupper(letter));
      if (dll == L"COMCTL32.DLL")
        EXPECT_NE(manifest.find("name=\"Microsoft.Windows.Common-Controls\""), std::string::npos)
            << "build/" << folder;
      else
        EXPECT_TRUE(kKnownDlls.count(dll)) << "build/" << folder << " imports " << dll;
    }
    EXPECT_GT(dlls, 0) << "build/" << folder;
  }
}

}  // namespace
