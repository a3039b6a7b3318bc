// The settings key as a test sets it up and reads it back from outside the
// program: one row of tests/data/stored_settings.txt stored alone, and the
// values the key holds afterwards; and any key's access list.
#pragma once
#include <string>
#include <utility>
#include <vector>

namespace adrelo_driver {

using Lines = std::vector<std::pair<std::wstring, std::wstring>>;

// Replaces the program's keys with row LINE (1-based) of the file: its value
// alone, in the key state the row names. Prints row.line, row.name and
// row.value (its data as the settings step prints a value). Throws a std::wstring on failure.
Lines StoreSettingsRow(const std::wstring& file, unsigned line);

// The settings key's values as stored.NAME=TEXT (REG_SZ; other types as
// TYPE:hex bytes) and stored.count, the key's access first opened up again so
// that a locked key reads too.
Lines StoredSettings();

// Sets the access list of KEY ("HKLM\\path" or "HKCU\\path") to SDDL, as an
// administrator locks a key: key.access. Throws a std::wstring on failure.
Lines SetKeyAccess(const std::wstring& key, const std::wstring& sddl);

}  // namespace adrelo_driver
