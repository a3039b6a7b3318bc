// Reading the stored settings: the values' names, their default texts, the
// conversion of their text and the range rules.
#pragma once
#include <cstdint>
#include <optional>
#include <string>

#include "platform/registry.h"
#include "settings/registry_ops.h"

namespace settings {

// Value names and default texts, in the order they are read at start-up.
struct StoredValue {
  const char* name;
  const char* defaultText;
};
inline constexpr StoredValue kLanguageValue{"Language", "1000"};
inline constexpr StoredValue kShowIpValue{"ShowIP", "1"};
inline constexpr StoredValue kTipWindowValue{"Tip_Window", "1"};
inline constexpr StoredValue kCopyInfoValue{"CopyInfo", "1"};
inline constexpr StoredValue kStartWithWinValue{"Start_with_Win", "1"};
inline constexpr StoredValue kCloseMinValue{"CloseMin", "1"};
inline constexpr StoredValue kLeftValue{"Left", "1"};
inline constexpr StoredValue kTopValue{"Top", "1"};

// A decimal whole number in [min, max]: an optional '-' and digits, nothing
// else (no blanks, no '+', no hex or exponent). Nothing otherwise.
std::optional<std::int32_t> ParseDecimal(const std::string& text, std::int32_t min,
                                         std::int32_t max);

// The settings key held open for reading while start-up reads its eight
// values: one open for all of them. A stored value reads as a number; text
// that is not a number fitting the field counts as missing, and so does every
// value when the key cannot be opened, so the default text applies.
class SettingsReader {
 public:
  explicit SettingsReader(platform::Registry& registry);
  std::int16_t ReadInt16(const StoredValue& value) const;
  std::int32_t ReadInt32(const StoredValue& value) const;

 private:
  std::int32_t ReadNumber(const StoredValue& value, std::int32_t min, std::int32_t max) const;

  ScopedRegKey key_;
};

// One value read on its own.
std::int16_t ReadInt16(platform::Registry& registry, const StoredValue& value);
std::int32_t ReadInt32(platform::Registry& registry, const StoredValue& value);

// The range rule of the 1-based fields: a value outside [1, max] becomes 1.
std::int16_t OneUnlessWithin(std::int16_t value, std::int16_t max);

}  // namespace settings
