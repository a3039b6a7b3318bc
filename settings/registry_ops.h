// The four registry operations through which the program touches the
// registry. Every value is REG_SZ text, stored without a counted terminator.
#pragma once
#include <string>

#include "platform/registry.h"

namespace settings {

// Query value, set value, create subkey, enumerate subkeys, notify, create link:
// what every operation but the query opens the key with.
inline constexpr std::uint32_t kKeyAccessMask = 0x3F;
// KEY_READ, for the query: a key the user may read but not write (locked by
// an administrator, or a profile restored read-only) still gives its values.
inline constexpr std::uint32_t kKeyReadMask = 0x20019;
// Values longer than this read as missing.
inline constexpr std::uint32_t kQueryBufferSize = 128;
// The name and data buffers of the enumeration in DeleteRegValue.
inline constexpr std::uint32_t kEnumBufferSize = 255;

// An open key of the registry interface, closed when it goes out of scope.
class ScopedRegKey {
 public:
  explicit ScopedRegKey(platform::Registry& registry) : registry_(registry) {}
  ~ScopedRegKey() {
    if (open_) registry_.CloseKey(key_);
  }
  ScopedRegKey(const ScopedRegKey&) = delete;
  ScopedRegKey& operator=(const ScopedRegKey&) = delete;

  bool Create(platform::RegKey root, const std::string& path) {
    std::uint32_t disposition = 0;
    open_ = registry_.CreateKeyEx(root, path, "", /*options=*/0, kKeyAccessMask,
                                  /*inheritHandle=*/true, &key_,
                                  &disposition) == platform::kErrorSuccess;
    return open_;
  }
  bool Open(platform::RegKey root, const std::string& path, std::uint32_t access = kKeyAccessMask) {
    open_ =
        registry_.OpenKeyEx(root, path, /*options=*/0, access, &key_) == platform::kErrorSuccess;
    return open_;
  }
  platform::RegKey get() const { return key_; }
  bool is_open() const { return open_; }
  // The value's text, by QueryRegValue's rules, from this key open for reading.
  std::string Query(const std::string& name, const std::string& defaultText) const;

 private:
  platform::Registry& registry_;
  platform::RegKey key_ = 0;
  bool open_ = false;
};

// Creates the key if missing (or opens it) and closes it again. Failures are silent.
void CreateRegKey(platform::Registry& registry, platform::RegKey root, const std::string& path);

// Stores text as the REG_SZ value of that name. Nothing happens when the key
// cannot be opened; false then, or when the value could not be set.
bool SetRegValue(platform::Registry& registry, platform::RegKey root, const std::string& path,
                 const std::string& name, const std::string& text);

// The value's text up to its first zero byte, or defaultText when the key or
// the value cannot be read or the value needs more than 128 bytes. The key is
// opened for reading only.
std::string QueryRegValue(platform::Registry& registry, platform::RegKey root,
                          const std::string& path, const std::string& name,
                          const std::string& defaultText);

// Deletes the value of the key whose name is name, in any letter case, as
// Windows compares value names. False when the key cannot be opened; the
// caller decides what then.
[[nodiscard]] bool DeleteRegValue(platform::Registry& registry, platform::RegKey root,
                                  const std::string& path, const std::string& name);

// The same two through the wide calls, for names and text in any script: a
// REG_SZ of UTF-16 with its terminating zero, as Windows' own tools write it.
bool SetRegValueW(platform::Registry& registry, platform::RegKey root, const std::string& path,
                  const std::wstring& name, const std::wstring& text);
[[nodiscard]] bool DeleteRegValueW(platform::Registry& registry, platform::RegKey root,
                                   const std::string& path, const std::wstring& name);
// Whether the key holds a value of that name, in any letter case; the key is
// opened for reading only.
bool HasRegValueW(platform::Registry& registry, platform::RegKey root, const std::string& path,
                  const std::wstring& name);

}  // namespace settings
