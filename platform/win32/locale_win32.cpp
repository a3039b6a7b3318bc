// The locale interface on kernel32.
#include "platform/win32/locale_win32.h"

#include <windows.h>

namespace platform::win32 {

std::uint32_t Win32Locale::ThreadLocale() const { return GetThreadLocale(); }

}  // namespace platform::win32
