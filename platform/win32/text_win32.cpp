// ANSI to UTF-16 and back with the system code page, and registry names.
#include <windows.h>

#include "platform/text.h"

namespace platform {

std::wstring WidenAnsi(const std::string& text) {
  if (text.empty()) return {};
  const int length = MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()),
                                         nullptr, 0);
  std::wstring wide(static_cast<std::size_t>(length), L'\0');
  MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), wide.data(), length);
  return wide;
}

std::optional<std::string> NarrowAnsi(const std::wstring& text) {
  if (text.empty()) return std::string();
  const int wideLength = static_cast<int>(text.size());
  // No best fit: a character without an exact form must show up as such. The
  // UTF-8 code page has a form for every character and reports no default
  // character (asking for one fails the call).
  const bool utf8 = GetACP() == CP_UTF8;
  const DWORD flags = utf8 ? WC_ERR_INVALID_CHARS : WC_NO_BEST_FIT_CHARS;
  BOOL usedDefault = FALSE;
  BOOL* usedDefaultOut = utf8 ? nullptr : &usedDefault;
  const int length = WideCharToMultiByte(CP_ACP, flags, text.data(), wideLength, nullptr, 0,
                                         nullptr, usedDefaultOut);
  if (length <= 0 || usedDefault) return std::nullopt;
  std::string narrow(static_cast<std::size_t>(length), '\0');
  WideCharToMultiByte(CP_ACP, flags, text.data(), wideLength, narrow.data(), length, nullptr,
                      nullptr);
  return narrow;
}

bool SameRegistryName(const std::wstring& a, const std::wstring& b) {
  // Ordinal, as the registry compares: the upper case of each UTF-16 unit,
  // whatever the user's locale.
  return CompareStringOrdinal(a.data(), static_cast<int>(a.size()), b.data(),
                              static_cast<int>(b.size()), TRUE) == CSTR_EQUAL;
}

}  // namespace platform
