// The registry interface on advapi32's ANSI functions.
#include "platform/win32/registry_win32.h"

#include <windows.h>

namespace platform::win32 {

static_assert(sizeof(DWORD) == sizeof(std::uint32_t));

namespace {

HKEY ToHkey(RegKey key) { return reinterpret_cast<HKEY>(key); }

}  // namespace

long Win32Registry::CreateKeyEx(RegKey root, const std::string& path, const std::string& keyClass,
                                std::uint32_t options, std::uint32_t access, bool inheritHandle,
                                RegKey* result, std::uint32_t* disposition) {
  SECURITY_ATTRIBUTES security{sizeof(SECURITY_ATTRIBUTES), nullptr, inheritHandle ? TRUE : FALSE};
  HKEY key = nullptr;
  DWORD created = 0;
  const long rc = RegCreateKeyExA(ToHkey(root), path.c_str(), 0,
                                  const_cast<char*>(keyClass.c_str()), options, access, &security,
                                  &key, &created);
  *result = reinterpret_cast<RegKey>(key);
  *disposition = created;
  return rc;
}

long Win32Registry::OpenKeyEx(RegKey root, const std::string& path, std::uint32_t options,
                              std::uint32_t access, RegKey* result) {
  HKEY key = nullptr;
  const long rc = RegOpenKeyExA(ToHkey(root), path.c_str(), options, access, &key);
  *result = reinterpret_cast<RegKey>(key);
  return rc;
}

long Win32Registry::SetValueEx(RegKey key, const std::string& name, std::uint32_t type,
                               const std::uint8_t* data, std::uint32_t size) {
  return RegSetValueExA(ToHkey(key), name.c_str(), 0, type, data, size);
}

long Win32Registry::QueryValueEx(RegKey key, const std::string& name, std::uint32_t* type,
                                 std::uint8_t* data, std::uint32_t* size) {
  return RegQueryValueExA(ToHkey(key), name.c_str(), nullptr, reinterpret_cast<DWORD*>(type), data,
                          reinterpret_cast<DWORD*>(size));
}

long Win32Registry::FlushKey(RegKey key) { return RegFlushKey(ToHkey(key)); }

long Win32Registry::CloseKey(RegKey key) { return RegCloseKey(ToHkey(key)); }

long Win32Registry::EnumValue(RegKey key, std::uint32_t index, char* name, std::uint32_t* nameSize,
                              std::uint32_t* type, std::uint8_t* data, std::uint32_t* dataSize) {
  return RegEnumValueA(ToHkey(key), index, name, reinterpret_cast<DWORD*>(nameSize), nullptr,
                       reinterpret_cast<DWORD*>(type), data, reinterpret_cast<DWORD*>(dataSize));
}

long Win32Registry::DeleteValue(RegKey key, const std::string& name) {
  return RegDeleteValueA(ToHkey(key), name.c_str());
}

long Win32Registry::SetValueExW(RegKey key, const std::wstring& name, std::uint32_t type,
                                const std::uint8_t* data, std::uint32_t size) {
  return RegSetValueExW(ToHkey(key), name.c_str(), 0, type, data, size);
}

long Win32Registry::EnumValueNameW(RegKey key, std::uint32_t index, wchar_t* name,
                                   std::uint32_t* nameSize) {
  DWORD length = *nameSize;
  const LONG rc = RegEnumValueW(ToHkey(key), index, name, &length, nullptr, nullptr, nullptr, nullptr);
  *nameSize = length;
  return rc;
}

long Win32Registry::DeleteValueW(RegKey key, const std::wstring& name) {
  return RegDeleteValueW(ToHkey(key), name.c_str());
}

}  // namespace platform::win32
