// The settings record and the registry key that keeps it between runs.
#pragma once
#include <cstdint>

namespace settings {

inline constexpr char kSettingsKeyPath[] = "Software\\Varnosk\\Adrelo\\Settings";

// Values of the fields (anything else read from the registry is replaced).
inline constexpr std::int16_t kShowIpAddress = 1, kShowHostName = 2;
inline constexpr std::int16_t kStartNormal = 1, kStartHidden = 2, kStartMinimized = 3;
inline constexpr std::int16_t kCopyNothing = 1, kCopyHostName = 2, kCopyIpAddress = 3;
inline constexpr std::int16_t kStartWithWindows = 1, kDoNotStartWithWindows = 2;
inline constexpr std::int16_t kCloseHides = 1, kCloseEnds = 2;

// Six 16-bit fields, in this order, for the whole run.
struct Settings {
  std::int16_t ShowIP = kShowIpAddress;
  std::int16_t Language = 0;  // language offset: 0 English, 100 Bulgarian
  std::int16_t Tip_Window = kStartNormal;
  std::int16_t CopyInfo = kCopyNothing;
  std::int16_t Start_with_Win = kStartWithWindows;
  std::int16_t CloseMin = kCloseHides;
  friend bool operator==(const Settings&, const Settings&) = default;
};

}  // namespace settings
