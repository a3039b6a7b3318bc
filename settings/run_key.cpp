// Start with Windows through the registry operations.
#include "settings/run_key.h"

#include <optional>

#include "platform/text.h"
#include "settings/registry_ops.h"

namespace settings {

using platform::kHkeyCurrentUser;
using platform::kHkeyLocalMachine;

RunValue RunValueFor(const platform::ExecutableInfo& executable) {
  // The separator is always added: a drive's root ("C:\") gives two in a row.
  return {executable.baseName,
          L"\"" + executable.folder + L"\\" + executable.baseName + L".exe\""};
}

// Through the wide calls: a program in a profile named in any script (the
// installer puts it in the user's profile) is registered exactly.
void RegisterRunValue(platform::Registry& registry, const platform::ExecutableInfo& executable) {
  const RunValue value = RunValueFor(executable);
  if (SetRegValueW(registry, kHkeyLocalMachine, kRunKeyPath, value.name, value.data)) {
    // An earlier registration for the user alone would start the program twice.
    (void)DeleteRegValueW(registry, kHkeyCurrentUser, kRunKeyPath, value.name);
    return;
  }
  // Windows reads the user's Run key at logon in the same way.
  CreateRegKey(registry, kHkeyCurrentUser, kRunKeyPath);
  SetRegValueW(registry, kHkeyCurrentUser, kRunKeyPath, value.name, value.data);
}

bool UnregisterRunValue(platform::Registry& registry, const platform::ExecutableInfo& executable) {
  const std::wstring name = RunValueFor(executable).name;
  // A key that cannot be opened (the machine-wide one, for a standard user)
  // is skipped, and the rest of Apply goes on; only a value left in it counts.
  (void)DeleteRegValueW(registry, kHkeyLocalMachine, kRunKeyPath, name);
  (void)DeleteRegValueW(registry, kHkeyCurrentUser, kRunKeyPath, name);
  return !HasRegValueW(registry, kHkeyLocalMachine, kRunKeyPath, name);
}

}  // namespace settings
