// The string table of the executable's resources.
#pragma once
#include <windows.h>

#include "platform/string_table.h"

namespace platform::win32 {

class Win32StringTable final : public StringTable {
 public:
  explicit Win32StringTable(HINSTANCE module) : module_(module) {}
  std::optional<std::wstring> Load(int id) const override;

 private:
  HINSTANCE module_;
};

}  // namespace platform::win32
