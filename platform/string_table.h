// The executable's string table.
#pragma once
#include <optional>
#include <string>

namespace platform {

class StringTable {
 public:
  virtual ~StringTable() = default;
  // The entry's text, exactly as stored; nothing when the table has no such id.
  virtual std::optional<std::wstring> Load(int id) const = 0;
};

}  // namespace platform
