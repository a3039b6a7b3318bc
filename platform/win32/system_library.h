// A library of Windows' own, loaded from the system folder by its full path
// when a window first needs it, and the functions resolved from it. By full
// path because LoadLibraryEx's LOAD_LIBRARY_SEARCH_SYSTEM32 is refused by
// Windows 7 without update KB2533623, and a bare name would also search the
// program's own folder, where anyone could put a library of that name.
#pragma once
#include <windows.h>

#include "platform/win32/unique_handle.h"

namespace platform::win32 {

struct FreeLibraryHandle {
  void operator()(HMODULE module) const { FreeLibrary(module); }
};
using UniqueModule = UniqueHandle<HMODULE, FreeLibraryHandle>;

// name: a file name such as L"ole32.dll". Empty when it cannot be loaded.
UniqueModule LoadSystemLibrary(const wchar_t* name);

// The function named in module, as Function; nullptr when either is missing.
template <class Function>
Function ResolveFunction(HMODULE module, const char* name) {
  return module != nullptr ? reinterpret_cast<Function>(
                                 reinterpret_cast<void*>(GetProcAddress(module, name)))
                           : nullptr;
}

}  // namespace platform::win32
