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

void RegisterRunValue(platform::Registry& registry, const platform::ExecutableInfo& executable) {
  const RunValue value = RunValueFor(executable);
  const std::optional<std::string> name = platform::NarrowAnsi(value.name);
  const std::optional<std::string> data = platform::NarrowAnsi(value.data);
  if (!name || !data) return;
  if (SetRegValue(registry, kHkeyLocalMachine, kRunKeyPath, *name, *data)) {
    // An earlier registration for the user alone would start the program twice.
    (void)DeleteRegValue(registry, kHkeyCurrentUser, kRunKeyPath, *name);
    return;
  }
  // Windows reads the user's Run key at logon in the same way.
  CreateRegKey(registry, kHkeyCurrentUser, kRunKeyPath);
  SetRegValue(registry, kHkeyCurrentUser, kRunKeyPath, *name, *data);
}

void UnregisterRunValue(platform::Registry& registry, const platform::ExecutableInfo& executable) {
  // A name the ANSI calls cannot carry was never registered.
  const std::optional<std::string> name = platform::NarrowAnsi(RunValueFor(executable).name);
  if (!name) return;
  // A key that cannot be opened (the machine-wide one, for a standard user)
  // is skipped quietly, and the rest of Apply goes on.
  (void)DeleteRegValue(registry, kHkeyLocalMachine, kRunKeyPath, *name);
  (void)DeleteRegValue(registry, kHkeyCurrentUser, kRunKeyPath, *name);
}

}  // namespace settings
