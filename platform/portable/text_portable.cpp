// ANSI to UTF-16 for the native build: each byte is taken as Latin-1.
#include "platform/text.h"

namespace platform {

std::wstring WidenAnsi(const std::string& text) {
  std::wstring wide;
  wide.reserve(text.size());
  for (const char c : text) wide += static_cast<wchar_t>(static_cast<unsigned char>(c));
  return wide;
}

}  // namespace platform
