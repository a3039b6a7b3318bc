// Reading the stored settings: the values' names, their default texts, the
// conversion of their text and the range rules.
#pragma once
#include <cstdint>
#include <optional>
#include <string>

#include "platform/registry.h"

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

// A stored value of the settings key as a number; text that is not a number
// fitting the field counts as missing, so the default text applies.
std::int16_t ReadInt16(platform::Registry& registry, const StoredValue& value);
std::int32_t ReadInt32(platform::Registry& registry, const StoredValue& value);

// The range rule of the 1-based fields: a value outside [1, max] becomes 1.
std::int16_t OneUnlessWithin(std::int16_t value, std::int16_t max);

}  // namespace settings
