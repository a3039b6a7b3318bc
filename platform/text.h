// Conversion of the ANSI text that Windows Sockets returns.
#pragma once
#include <string>

namespace platform {

// ANSI (the system code page) to UTF-16. The native build widens byte by byte.
std::wstring WidenAnsi(const std::string& text);

}  // namespace platform
