// How a menu item shows its shortcut key: "Ctrl+H", "F5", after a tab.
#pragma once
#include <cstdint>
#include <string>

namespace main_window {

// The flags and key of one ACCEL entry.
struct Shortcut {
  std::uint8_t flags = 0;  // FVIRTKEY, FSHIFT, FCONTROL, FALT
  std::uint16_t key = 0;   // virtual-key code
};

inline constexpr std::uint8_t kAccelVirtKey = 0x01;  // FVIRTKEY
inline constexpr std::uint8_t kAccelShift = 0x04;    // FSHIFT
inline constexpr std::uint8_t kAccelControl = 0x08;  // FCONTROL
inline constexpr std::uint8_t kAccelAlt = 0x10;      // FALT

// The key's name in the system's usual form, modifiers first; empty for a
// key that has no simple name (such a shortcut is not shown).
std::wstring ShortcutText(const Shortcut& shortcut);

// The menu item text: the caption, then a tab and the shortcut when there is one.
std::wstring CaptionWithShortcut(const std::wstring& caption, const std::wstring& shortcutText);

}  // namespace main_window
