// ANSI and UTF-16 for the native build: each byte is taken as Latin-1.
// Registry names fold ASCII letters, as the fake registry does.
#include "platform/text.h"

#include <algorithm>

namespace platform {

std::wstring WidenAnsi(const std::string& text) {
  std::wstring wide;
  wide.reserve(text.size());
  for (const char c : text) wide += static_cast<wchar_t>(static_cast<unsigned char>(c));
  return wide;
}

std::optional<std::string> NarrowAnsi(const std::wstring& text) {
  std::string narrow;
  narrow.reserve(text.size());
  for (const wchar_t c : text) {
    if (static_cast<unsigned long>(c) > 0xFF) return std::nullopt;
    narrow += static_cast<char>(static_cast<unsigned char>(c));
  }
  return narrow;
}

bool SameRegistryName(const std::wstring& a, const std::wstring& b) {
  const auto upper = [](wchar_t c) { return c >= L'a' && c <= L'z' ? c - L'a' + L'A' : c; };
  return a.size() == b.size() &&
         std::equal(a.begin(), a.end(), b.begin(), [&](wchar_t x, wchar_t y) { return upper(x) == upper(y); });
}

}  // namespace platform
