// Start with Windows: the program's value under the Run key, which Windows
// reads at logon.
#pragma once
#include <string>

#include "platform/executable.h"
#include "platform/registry.h"

namespace settings {

inline constexpr char kRunKeyPath[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";

// Named after the executable's base name; the data is its folder, "\", the
// base name and ".exe", in double quotes so that a path with blanks is not
// split at logon.
struct RunValue {
  std::wstring name;
  std::wstring data;
};
RunValue RunValueFor(const platform::ExecutableInfo& executable);

// Writes the value under the machine-wide Run key (and drops the user's value
// of that name), or under the current user's when the machine-wide one
// cannot be written (a standard user).
// Written with the wide calls, so any path the program can start from is
// registered exactly.
void RegisterRunValue(platform::Registry& registry, const platform::ExecutableInfo& executable);

// Removes the value, its name in any letter case, from both Run keys; a key
// that cannot be opened is skipped. False when the machine-wide value is
// still there: written by an elevated start or an administrator, only an
// administrator may remove it, and Windows goes on starting the program for
// every user.
[[nodiscard]] bool UnregisterRunValue(platform::Registry& registry,
                                      const platform::ExecutableInfo& executable);

}  // namespace settings
