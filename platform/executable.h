// The running executable: the folder it lies in, its file name without the
// extension, and its version, as the About window and the start-with-Windows
// registration use them.
#pragma once
#include <string>

namespace platform {

struct ExecutableInfo {
  std::wstring folder;    // no trailing backslash, except for a drive's root ("C:\")
  std::wstring baseName;  // the file name as started, without its extension
  int majorVersion = 0;
  int minorVersion = 0;
};

// The folder and base name of a full path ("C:\Tools\Adrelo.exe" gives
// "C:\Tools" and "Adrelo"); the version fields stay 0.
ExecutableInfo SplitExecutablePath(const std::wstring& fullPath);

}  // namespace platform
