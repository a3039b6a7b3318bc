// The running executable's path and version, read on Win32.
#pragma once
#include "platform/executable.h"

namespace platform::win32 {

// The path from GetModuleFileNameW, the version from the executable's own
// VERSIONINFO resource (0.0 when it has none).
ExecutableInfo ReadExecutableInfo();

}  // namespace platform::win32
