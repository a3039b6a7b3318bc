// The thread's locale, which picks the language on a first run.
#pragma once
#include <cstdint>

namespace platform {

inline constexpr std::uint32_t kLocaleBulgarian = 0x0402;  // bg-BG, 1026

class Locale {
 public:
  virtual ~Locale() = default;
  virtual std::uint32_t ThreadLocale() const = 0;  // GetThreadLocale
};

}  // namespace platform
