// One row of tests/data/stored_settings.txt: a value stored in the settings
// key (or the key in a state of its own), what the program's next exit
// writes for it and where its window shows. The end-to-end driver stores rows
// in Wine's registry; the fuzz target's inputs are rows.
//
//   [@STATE] NAME TYPE DATA -> WRITTEN X,Y
//
// STATE: read-only (the user may read the key, not write it), unreadable (nor
// read it), settings-is-a-value (the parent key holds a value named Settings
// with DATA, and there is no settings key). TYPE: REG_SZ, REG_EXPAND_SZ,
// REG_MULTI_SZ, REG_BINARY, REG_DWORD, REG_QWORD, REG_NONE. DATA: "text"
// pieces (ASCII, the escapes \0 \\ \", each with an optional *N that repeats
// it: "0"*126"2"), stored as UTF-16 with one terminating zero, as regedit
// stores text; hex:31,32 (the bytes, nothing added); dword:0000000a. WRITTEN: the decimal the exit stores for NAME, kept
// (nothing is written: the key stays as it was) or - (no check beyond the
// eight values being valid). X,Y: the window's position in pixels.
#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace testing_support {

enum class KeyState { Writable, ReadOnly, Unreadable, SettingsIsAValue };

struct SettingsRow {
  KeyState state = KeyState::Writable;
  std::string name;
  std::uint32_t type = 0;
  std::vector<std::uint8_t> data;  // the bytes as stored (string types: UTF-16LE)
  std::string written;
  int x = 0;
  int y = 0;
};

// The row, or nothing for a blank line, a comment (#) or a malformed line.
std::optional<SettingsRow> ParseSettingsRow(std::string_view line);

// The bytes a string value gives through the registry's ANSI functions (its
// UTF-16 narrowed, a character outside ASCII as '?'); other types unchanged.
std::vector<std::uint8_t> AnsiView(std::uint32_t type, const std::vector<std::uint8_t>& data);

}  // namespace testing_support
