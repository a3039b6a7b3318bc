// ANSI and UTF-16 for the native build: each byte is taken as Latin-1.
#include "platform/text.h"

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

}  // namespace platform
