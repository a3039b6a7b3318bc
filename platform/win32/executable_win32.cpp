// The running executable's path and version.
#include "platform/win32/executable_win32.h"

#include <windows.h>

#include <cstring>

namespace platform::win32 {

namespace {

std::wstring ModulePath() {
  std::wstring path(MAX_PATH, L'\0');
  for (;;) {
    const DWORD length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
    if (length == 0) return {};
    // A full buffer may mean a cut path: try again with more room.
    if (length < path.size()) {
      path.resize(length);
      return path;
    }
    path.resize(path.size() * 2);
  }
}

// The fixed part of the version resource, found by its signature: reading the
// resource in place needs neither version.dll nor a copy of the file.
const VS_FIXEDFILEINFO* FixedVersionInfo() {
  HRSRC found = FindResourceW(nullptr, MAKEINTRESOURCEW(VS_VERSION_INFO), RT_VERSION);
  if (found == nullptr) return nullptr;
  HGLOBAL loaded = LoadResource(nullptr, found);
  const auto* bytes = static_cast<const unsigned char*>(LockResource(loaded));
  const DWORD size = SizeofResource(nullptr, found);
  if (bytes == nullptr) return nullptr;
  constexpr DWORD kSignature = 0xFEEF04BD;
  for (DWORD offset = 0; offset + sizeof(VS_FIXEDFILEINFO) <= size; offset += sizeof(DWORD)) {
    DWORD value = 0;
    std::memcpy(&value, bytes + offset, sizeof(value));
    if (value == kSignature) return reinterpret_cast<const VS_FIXEDFILEINFO*>(bytes + offset);
  }
  return nullptr;
}

}  // namespace

ExecutableInfo ReadExecutableInfo() {
  ExecutableInfo info = SplitExecutablePath(ModulePath());
  if (const VS_FIXEDFILEINFO* version = FixedVersionInfo()) {
    info.majorVersion = HIWORD(version->dwFileVersionMS);
    info.minorVersion = LOWORD(version->dwFileVersionMS);
  }
  return info;
}

}  // namespace platform::win32
