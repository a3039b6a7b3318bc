// Splitting the executable's path.
#include "platform/executable.h"

namespace platform {

ExecutableInfo SplitExecutablePath(const std::wstring& fullPath) {
  ExecutableInfo info;
  const std::size_t slash = fullPath.find_last_of(L"\\/");
  const std::wstring fileName = slash == std::wstring::npos ? fullPath : fullPath.substr(slash + 1);
  if (slash != std::wstring::npos) info.folder = fullPath.substr(0, slash);
  // A drive's root keeps its backslash, as a folder name of its own.
  if (info.folder.size() == 2 && info.folder[1] == L':') info.folder += L'\\';
  const std::size_t dot = fileName.find_last_of(L'.');
  info.baseName = dot == std::wstring::npos || dot == 0 ? fileName : fileName.substr(0, dot);
  return info;
}

}  // namespace platform
