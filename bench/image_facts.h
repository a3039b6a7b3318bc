// The size and the imported DLLs of an executable, read from its file.
#pragma once

#include <windows.h>

#include <string>

namespace bench {

struct ImageFacts {
  ULONGLONG bytes = 0;
  std::wstring imports;
};

// Throws Failure when the file cannot be read; the imports are empty when it
// is not a valid image.
ImageFacts ReadImage(const std::wstring& path);

}  // namespace bench
