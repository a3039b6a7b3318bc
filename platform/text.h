// Conversion between UTF-16 and the ANSI text that Windows Sockets and the
// registry's "A" functions use.
#pragma once
#include <optional>
#include <string>

namespace platform {

// ANSI (the system code page) to UTF-16. The native build widens byte by byte.
std::wstring WidenAnsi(const std::string& text);

// A whole number in decimal, as std::to_wstring writes it. std::to_wstring
// formats through the wide printf family, which a static build links whole;
// std::to_string of GCC and MSVC does without it.
inline std::wstring DecimalText(int value) {
  const std::string digits = std::to_string(value);
  return std::wstring(digits.begin(), digits.end());
}

// UTF-16 to ANSI; nothing when a character has no exact form in the code page
// (a best-fit or "?" substitute would name something else). The native build
// takes the code page to be Latin-1.
std::optional<std::string> NarrowAnsi(const std::wstring& text);

// Whether two names are one registry value's: Windows compares value names
// without regard to letter case, in every script. The native build folds
// ASCII letters only.
bool SameRegistryName(const std::wstring& a, const std::wstring& b);

}  // namespace platform
