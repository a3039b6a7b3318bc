// The registry calls the settings store makes, one method per advapi32 call.
// Keys, names and data are ANSI bytes, as the registry's "A" functions take
// them; handles are opaque numbers so the logic builds without <windows.h>.
#pragma once
#include <cstdint>
#include <string>

namespace platform {

using RegKey = std::uintptr_t;

// The predefined root keys, with the values <windows.h> gives them: a 32-bit
// LONG widened to a handle, so a 64-bit build sees 0xFFFFFFFF80000001 (a
// zero-extended 0x80000001 is no key there).
inline constexpr RegKey PredefinedKey(std::int32_t value) {
  return static_cast<RegKey>(static_cast<std::intptr_t>(value));
}
inline constexpr RegKey kHkeyCurrentUser = PredefinedKey(static_cast<std::int32_t>(0x80000001u));
inline constexpr RegKey kHkeyLocalMachine = PredefinedKey(static_cast<std::int32_t>(0x80000002u));

inline constexpr std::uint32_t kRegSz = 1;            // REG_SZ
inline constexpr long kErrorSuccess = 0;               // ERROR_SUCCESS
inline constexpr long kErrorFileNotFound = 2;          // ERROR_FILE_NOT_FOUND
inline constexpr long kErrorMoreData = 234;            // ERROR_MORE_DATA
inline constexpr long kErrorNoMoreItems = 259;         // ERROR_NO_MORE_ITEMS

class Registry {
 public:
  virtual ~Registry() = default;
  virtual long CreateKeyEx(RegKey root, const std::string& path, const std::string& keyClass,
                           std::uint32_t options, std::uint32_t access, bool inheritHandle,
                           RegKey* result, std::uint32_t* disposition) = 0;
  virtual long OpenKeyEx(RegKey root, const std::string& path, std::uint32_t options,
                         std::uint32_t access, RegKey* result) = 0;
  virtual long SetValueEx(RegKey key, const std::string& name, std::uint32_t type,
                          const std::uint8_t* data, std::uint32_t size) = 0;
  virtual long QueryValueEx(RegKey key, const std::string& name, std::uint32_t* type,
                            std::uint8_t* data, std::uint32_t* size) = 0;
  virtual long FlushKey(RegKey key) = 0;
  virtual long CloseKey(RegKey key) = 0;
  // name receives up to *nameSize characters; on return *nameSize is the name's length.
  virtual long EnumValue(RegKey key, std::uint32_t index, char* name, std::uint32_t* nameSize,
                         std::uint32_t* type, std::uint8_t* data, std::uint32_t* dataSize) = 0;
  virtual long DeleteValue(RegKey key, const std::string& name) = 0;
  // The wide calls, for what the ANSI code page cannot carry (the Run value:
  // a path in a profile named in any script). Names in UTF-16; the data as
  // UTF-16 bytes, its terminating zero included.
  virtual long SetValueExW(RegKey key, const std::wstring& name, std::uint32_t type,
                           const std::uint8_t* data, std::uint32_t size) = 0;
  // name receives up to *nameSize characters; on return *nameSize is the name's length.
  virtual long EnumValueNameW(RegKey key, std::uint32_t index, wchar_t* name,
                              std::uint32_t* nameSize) = 0;
  virtual long DeleteValueW(RegKey key, const std::wstring& name) = 0;
};

}  // namespace platform
