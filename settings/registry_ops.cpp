// The four registry operations, call for call.
#include "settings/registry_ops.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <optional>

#include "platform/text.h"

namespace settings {

using platform::kErrorMoreData;
using platform::kErrorSuccess;
using platform::RegKey;

void CreateRegKey(platform::Registry& registry, RegKey root, const std::string& path) {
  // The outcome is not examined: a key that cannot be created leaves the defaults in force.
  ScopedRegKey(registry).Create(root, path);
}

bool SetRegValue(platform::Registry& registry, RegKey root, const std::string& path,
                 const std::string& name, const std::string& text) {
  ScopedRegKey key(registry);
  if (!key.Open(root, path)) return false;
  // The size counts the characters only: the terminating zero is not stored.
  const long rc = registry.SetValueEx(key.get(), name, platform::kRegSz,
                                      reinterpret_cast<const std::uint8_t*>(text.data()),
                                      static_cast<std::uint32_t>(text.size()));
  registry.FlushKey(key.get());
  return rc == kErrorSuccess;
}

std::string QueryRegValue(platform::Registry& registry, RegKey root, const std::string& path,
                          const std::string& name, const std::string& defaultText) {
  ScopedRegKey key(registry);
  if (!key.Open(root, path, kKeyReadMask)) return defaultText;
  return key.Query(name, defaultText);
}

std::string ScopedRegKey::Query(const std::string& name, const std::string& defaultText) const {
  std::array<std::uint8_t, kQueryBufferSize> buffer{};
  std::uint32_t size = kQueryBufferSize;
  std::uint32_t type = platform::kRegSz;
  if (registry_.QueryValueEx(key_, name, &type, buffer.data(), &size) != kErrorSuccess) {
    return defaultText;
  }
  // Whatever type the value has, only the buffer is read: up to its first
  // zero byte, or all of it when it holds none.
  const auto end = std::find(buffer.begin(), buffer.end(), std::uint8_t{0});
  return std::string(buffer.begin(), end);
}

bool DeleteRegValue(platform::Registry& registry, RegKey root, const std::string& path,
                    const std::string& name) {
  ScopedRegKey key(registry);
  if (!key.Open(root, path)) return false;
  std::array<char, kEnumBufferSize> valueName{};
  for (std::uint32_t index = 0;; ++index) {
    std::uint32_t nameSize = kEnumBufferSize;
    std::uint32_t type = 0;
    // The data is not asked for: a long value elsewhere in the key (a Run key
    // holds whole command lines) must not end the search early.
    const long rc = registry.EnumValue(key.get(), index, valueName.data(), &nameSize, &type,
                                       nullptr, nullptr);
    // A name too long for the buffer cannot be the one looked for.
    if (rc == kErrorMoreData) continue;
    if (rc != kErrorSuccess) break;
    const std::string found(valueName.data(), std::min<std::uint32_t>(nameSize, kEnumBufferSize));
    // As Windows names values: a name that differs only in letter case is
    // the same value, whatever case it was first stored in.
    if (platform::SameRegistryName(platform::WidenAnsi(found), platform::WidenAnsi(name))) {
      registry.DeleteValue(key.get(), found);
    }
  }
  return true;
}

bool SetRegValueW(platform::Registry& registry, RegKey root, const std::string& path,
                  const std::wstring& name, const std::wstring& text) {
  ScopedRegKey key(registry);
  if (!key.Open(root, path)) return false;
  const long rc = registry.SetValueExW(key.get(), name, platform::kRegSz,
                                       reinterpret_cast<const std::uint8_t*>(text.c_str()),
                                       static_cast<std::uint32_t>((text.size() + 1) * sizeof(wchar_t)));
  registry.FlushKey(key.get());
  return rc == kErrorSuccess;
}

namespace {

// The name the key's value is stored under, when the key holds one named
// name in any letter case.
std::optional<std::wstring> StoredNameW(platform::Registry& registry, RegKey key,
                                        const std::wstring& name) {
  std::array<wchar_t, kEnumBufferSize + 1> valueName{};
  for (std::uint32_t index = 0;; ++index) {
    std::uint32_t nameSize = kEnumBufferSize + 1;
    const long rc = registry.EnumValueNameW(key, index, valueName.data(), &nameSize);
    if (rc == kErrorMoreData) continue;
    if (rc != kErrorSuccess) return std::nullopt;
    const std::wstring found(valueName.data(), std::min<std::uint32_t>(nameSize, kEnumBufferSize));
    if (platform::SameRegistryName(found, name)) return found;
  }
}

}  // namespace

bool DeleteRegValueW(platform::Registry& registry, RegKey root, const std::string& path,
                     const std::wstring& name) {
  ScopedRegKey key(registry);
  if (!key.Open(root, path)) return false;
  if (const auto stored = StoredNameW(registry, key.get(), name)) {
    registry.DeleteValueW(key.get(), *stored);
  }
  return true;
}

bool HasRegValueW(platform::Registry& registry, RegKey root, const std::string& path,
                  const std::wstring& name) {
  ScopedRegKey key(registry);
  return key.Open(root, path, kKeyReadMask) && StoredNameW(registry, key.get(), name).has_value();
}

}  // namespace settings
