// The size, the imported DLLs and the header's promises to Windows of an
// executable, read from its file.
#pragma once

#include <windows.h>

#include <string>

namespace bench {

struct ImageFacts {
  ULONGLONG bytes = 0;
  std::wstring imports;
  WORD subsystemMajor = 0, subsystemMinor = 0;  // the oldest Windows it is made for
  WORD dllCharacteristics = 0;                   // IMAGE_DLLCHARACTERISTICS_*
};

// Throws Failure when the file cannot be read; the imports are empty when it
// is not a valid image.
ImageFacts ReadImage(const std::wstring& path);

}  // namespace bench
