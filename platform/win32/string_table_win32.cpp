// The string table of the executable's resources.
#include "platform/win32/string_table_win32.h"

namespace platform::win32 {

std::optional<std::wstring> Win32StringTable::Load(int id) const {
  // With a zero buffer size LoadStringW hands out a pointer into the resource
  // itself: the whole text, trailing blanks included, with no length limit.
  const wchar_t* text = nullptr;
  const int length = LoadStringW(module_, static_cast<UINT>(id), reinterpret_cast<LPWSTR>(&text), 0);
  if (length <= 0 || text == nullptr) return std::nullopt;
  return std::wstring(text, static_cast<std::size_t>(length));
}

}  // namespace platform::win32
