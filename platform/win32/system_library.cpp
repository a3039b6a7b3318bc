// Libraries of Windows' own, from the system folder.
#include "platform/win32/system_library.h"

#include <cwchar>

namespace platform::win32 {

UniqueModule LoadSystemLibrary(const wchar_t* name) {
  wchar_t path[MAX_PATH];
  const UINT folder = GetSystemDirectoryW(path, MAX_PATH);
  if (folder == 0 || folder >= MAX_PATH) return {};
  const std::size_t length = std::wcslen(name);
  if (folder + 1 + length >= MAX_PATH) return {};
  path[folder] = L'\\';
  std::wmemcpy(path + folder + 1, name, length + 1);
  // The library's own dependencies are found beside it, in the system folder.
  return UniqueModule(LoadLibraryExW(path, nullptr, LOAD_WITH_ALTERED_SEARCH_PATH));
}

}  // namespace platform::win32
