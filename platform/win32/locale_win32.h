// The locale interface on kernel32.
#pragma once
#include "platform/locale.h"

namespace platform::win32 {

class Win32Locale final : public Locale {
 public:
  std::uint32_t ThreadLocale() const override;
};

}  // namespace platform::win32
