// The registry interface on advapi32's ANSI functions.
#pragma once
#include "platform/registry.h"

namespace platform::win32 {

class Win32Registry final : public Registry {
 public:
  long CreateKeyEx(RegKey root, const std::string& path, const std::string& keyClass,
                   std::uint32_t options, std::uint32_t access, bool inheritHandle, RegKey* result,
                   std::uint32_t* disposition) override;
  long OpenKeyEx(RegKey root, const std::string& path, std::uint32_t options,
                 std::uint32_t access, RegKey* result) override;
  long SetValueEx(RegKey key, const std::string& name, std::uint32_t type,
                  const std::uint8_t* data, std::uint32_t size) override;
  long QueryValueEx(RegKey key, const std::string& name, std::uint32_t* type, std::uint8_t* data,
                    std::uint32_t* size) override;
  long FlushKey(RegKey key) override;
  long CloseKey(RegKey key) override;
  long EnumValue(RegKey key, std::uint32_t index, char* name, std::uint32_t* nameSize,
                 std::uint32_t* type, std::uint8_t* data, std::uint32_t* dataSize) override;
  long DeleteValue(RegKey key, const std::string& name) override;
  long SetValueExW(RegKey key, const std::wstring& name, std::uint32_t type,
                   const std::uint8_t* data, std::uint32_t size) override;
  long EnumValueNameW(RegKey key, std::uint32_t index, wchar_t* name,
                      std::uint32_t* nameSize) override;
  long DeleteValueW(RegKey key, const std::wstring& name) override;
};

}  // namespace platform::win32
