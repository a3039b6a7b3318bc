// Storing a row of stored settings in the registry and reading the key back.
#include "stored_settings.h"

#include <windows.h>

#include <aclapi.h>
#include <sddl.h>

#include <fstream>

#include "tests/fakes/settings_rows.h"

namespace adrelo_driver {

namespace {

using testing_support::KeyState;

constexpr wchar_t kVarnoskKey[] = L"Software\\Varnosk";
constexpr wchar_t kAdreloKey[] = L"Software\\Varnosk\\Adrelo";
constexpr wchar_t kSettingsKey[] = L"Software\\Varnosk\\Adrelo\\Settings";
// Everyone may read the key, no one write it; no one may even read it.
constexpr wchar_t kReadOnlyAccess[] = L"D:P(A;;KR;;;WD)";
constexpr wchar_t kNoAccess[] = L"D:P";
// Everyone may do anything (a protected DACL granting all, as a fresh key has).
constexpr wchar_t kFullAccess[] = L"D:P(A;;KA;;;WD)";

std::wstring Widen(const std::string& text) {
  return std::wstring(text.begin(), text.end());
}

std::wstring Hex(const BYTE* data, DWORD size) {
  static const wchar_t digits[] = L"0123456789abcdef";
  std::wstring text;
  for (DWORD i = 0; i < size; ++i) {
    if (i) text += L',';
    text += digits[data[i] >> 4];
    text += digits[data[i] & 0xF];
  }
  return text;
}

// A value's data as the settings step prints it.
std::wstring ValueText(DWORD type, const BYTE* data, DWORD size) {
  if (type == REG_SZ) {
    std::wstring text(reinterpret_cast<const wchar_t*>(data), size / sizeof(wchar_t));
    while (!text.empty() && text.back() == L'\0') text.pop_back();
    std::wstring printed;
    for (wchar_t c : text) printed += c == L'\0' ? std::wstring(L"\\0") : std::wstring(1, c);
    return printed;
  }
  return std::to_wstring(type) + L':' + Hex(data, size);
}

void SetAccess(HKEY key, const wchar_t* sddl) {
  PSECURITY_DESCRIPTOR descriptor = nullptr;
  if (!ConvertStringSecurityDescriptorToSecurityDescriptorW(sddl, SDDL_REVISION_1, &descriptor,
                                                            nullptr))
    throw std::wstring(L"bad security descriptor");
  const LONG rc = RegSetKeySecurity(key, DACL_SECURITY_INFORMATION, descriptor);
  LocalFree(descriptor);
  if (rc != ERROR_SUCCESS) throw L"RegSetKeySecurity failed: " + std::to_wstring(rc);
}

// A locked key is opened up again (its owner may always change its access).
void Unlock() {
  HKEY key = nullptr;
  if (RegOpenKeyExW(HKEY_CURRENT_USER, kSettingsKey, 0, WRITE_DAC, &key) != ERROR_SUCCESS) return;
  SetAccess(key, kFullAccess);
  RegCloseKey(key);
}

HKEY CreateKey(const wchar_t* path) {
  HKEY key = nullptr;
  const LONG rc = RegCreateKeyExW(HKEY_CURRENT_USER, path, 0, nullptr, 0,
                                  KEY_ALL_ACCESS, nullptr, &key, nullptr);
  if (rc != ERROR_SUCCESS) throw L"cannot create the key: " + std::to_wstring(rc);
  return key;
}

}  // namespace

Lines StoreSettingsRow(const std::wstring& file, unsigned line) {
  std::ifstream in(file.c_str());
  std::string text;
  for (unsigned n = 0; n < line && std::getline(in, text); ++n) {
  }
  if (!in) throw L"no line " + std::to_wstring(line) + L" in " + file;
  const auto row = testing_support::ParseSettingsRow(text);
  if (!row) throw L"not a row: line " + std::to_wstring(line);

  Unlock();
  const LONG deleted = RegDeleteTreeW(HKEY_CURRENT_USER, kVarnoskKey);
  if (deleted != ERROR_SUCCESS && deleted != ERROR_FILE_NOT_FOUND)
    throw L"cannot remove the program's keys: " + std::to_wstring(deleted);
  HKEY key =
      CreateKey(row->state == KeyState::SettingsIsAValue ? kAdreloKey : kSettingsKey);
  const LONG rc = RegSetValueExW(key, Widen(row->name).c_str(), 0, row->type, row->data.data(),
                                 static_cast<DWORD>(row->data.size()));
  if (rc == ERROR_SUCCESS && row->state == KeyState::ReadOnly) SetAccess(key, kReadOnlyAccess);
  if (rc == ERROR_SUCCESS && row->state == KeyState::Unreadable) SetAccess(key, kNoAccess);
  RegCloseKey(key);
  if (rc != ERROR_SUCCESS) throw L"cannot store the value: " + std::to_wstring(rc);
  return {{L"row.line", std::to_wstring(line)},
          {L"row.name", Widen(row->name)},
          {L"row.value", ValueText(row->type, row->data.data(),
                                   static_cast<DWORD>(row->data.size()))}};
}

Lines SetKeyAccess(const std::wstring& key, const std::wstring& sddl) {
  const std::size_t slash = key.find(L'\\');
  const std::wstring rootName = key.substr(0, slash);
  const HKEY root = rootName == L"HKLM" ? HKEY_LOCAL_MACHINE
                    : rootName == L"HKCU" ? HKEY_CURRENT_USER
                                          : throw L"not HKLM or HKCU: " + key;
  HKEY handle = nullptr;
  const LONG rc = slash == std::wstring::npos
                      ? ERROR_BAD_PATHNAME
                      : RegOpenKeyExW(root, key.c_str() + slash + 1, 0, WRITE_DAC, &handle);
  if (rc != ERROR_SUCCESS) throw L"cannot open " + key + L": " + std::to_wstring(rc);
  try {
    SetAccess(handle, sddl.c_str());
  } catch (...) {
    RegCloseKey(handle);
    throw;
  }
  RegCloseKey(handle);
  return {{L"key.access", sddl}};
}

Lines StoredSettings() {
  Unlock();
  HKEY key = nullptr;
  if (RegOpenKeyExW(HKEY_CURRENT_USER, kSettingsKey, 0, KEY_READ, &key) != ERROR_SUCCESS)
    return {{L"stored.count", L"0"}};
  Lines lines;
  for (DWORD index = 0;; ++index) {
    wchar_t name[256];
    DWORD nameLength = 256, type = 0;
    // Room for the longest value a row stores.
    std::vector<BYTE> data(1 << 17);
    DWORD size = static_cast<DWORD>(data.size());
    if (RegEnumValueW(key, index, name, &nameLength, nullptr, &type, data.data(), &size) !=
        ERROR_SUCCESS)
      break;
    lines.emplace_back(L"stored." + std::wstring(name, nameLength),
                       ValueText(type, data.data(), size));
  }
  RegCloseKey(key);
  lines.emplace_back(L"stored.count", std::to_wstring(lines.size()));
  return lines;
}

}  // namespace adrelo_driver
