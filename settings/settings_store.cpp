// Reading the stored settings.
#include "settings/settings_store.h"

#include <limits>

#include "settings/registry_ops.h"
#include "settings/settings.h"

namespace settings {

std::optional<std::int32_t> ParseDecimal(const std::string& text, std::int32_t min,
                                         std::int32_t max) {
  std::size_t pos = 0;
  const bool negative = !text.empty() && text[0] == '-';
  if (negative) pos = 1;
  if (pos == text.size()) return std::nullopt;
  std::int64_t magnitude = 0;
  for (; pos < text.size(); ++pos) {
    const char c = text[pos];
    if (c < '0' || c > '9') return std::nullopt;
    magnitude = magnitude * 10 + (c - '0');
    // Past any 32-bit field: stop before the 64-bit sum could overflow.
    if (magnitude > std::int64_t{std::numeric_limits<std::uint32_t>::max()}) return std::nullopt;
  }
  const std::int64_t value = negative ? -magnitude : magnitude;
  if (value < min || value > max) return std::nullopt;
  return static_cast<std::int32_t>(value);
}

SettingsReader::SettingsReader(platform::Registry& registry) : key_(registry) {
  key_.Open(platform::kHkeyCurrentUser, kSettingsKeyPath, kKeyReadMask);
}

std::int32_t SettingsReader::ReadNumber(const StoredValue& value, std::int32_t min,
                                        std::int32_t max) const {
  const std::string text =
      key_.is_open() ? key_.Query(value.name, value.defaultText) : value.defaultText;
  if (auto number = ParseDecimal(text, min, max)) return *number;
  return *ParseDecimal(value.defaultText, min, max);
}

std::int16_t SettingsReader::ReadInt16(const StoredValue& value) const {
  return static_cast<std::int16_t>(ReadNumber(value, std::numeric_limits<std::int16_t>::min(),
                                              std::numeric_limits<std::int16_t>::max()));
}

std::int32_t SettingsReader::ReadInt32(const StoredValue& value) const {
  return ReadNumber(value, std::numeric_limits<std::int32_t>::min(),
                    std::numeric_limits<std::int32_t>::max());
}

std::int16_t ReadInt16(platform::Registry& registry, const StoredValue& value) {
  return SettingsReader(registry).ReadInt16(value);
}

std::int32_t ReadInt32(platform::Registry& registry, const StoredValue& value) {
  return SettingsReader(registry).ReadInt32(value);
}

std::int16_t OneUnlessWithin(std::int16_t value, std::int16_t max) {
  return (value >= 1 && value <= max) ? value : std::int16_t{1};
}

}  // namespace settings
