// How a menu item shows its shortcut key.
#include "main_window/accelerator_text.h"

#include "platform/text.h"

namespace main_window {

namespace {

constexpr std::uint16_t kVkF1 = 0x70;
constexpr std::uint16_t kVkF24 = 0x87;

std::wstring KeyName(std::uint16_t key) {
  if ((key >= '0' && key <= '9') || (key >= 'A' && key <= 'Z')) {
    return std::wstring(1, static_cast<wchar_t>(key));
  }
  if (key >= kVkF1 && key <= kVkF24) return L"F" + platform::DecimalText(key - kVkF1 + 1);
  return {};
}

}  // namespace

std::wstring ShortcutText(const Shortcut& shortcut) {
  if (!(shortcut.flags & kAccelVirtKey)) return {};
  const std::wstring key = KeyName(shortcut.key);
  if (key.empty()) return {};
  std::wstring text;
  if (shortcut.flags & kAccelControl) text += L"Ctrl+";
  if (shortcut.flags & kAccelShift) text += L"Shift+";
  if (shortcut.flags & kAccelAlt) text += L"Alt+";
  return text + key;
}

std::wstring CaptionWithShortcut(const std::wstring& caption, const std::wstring& shortcutText) {
  return shortcutText.empty() ? caption : caption + L"\t" + shortcutText;
}

}  // namespace main_window
