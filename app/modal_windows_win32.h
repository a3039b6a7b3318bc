// The settings dialog and the About window, opened modal to the main window.
#pragma once
#include <windows.h>

#include "app/form1.h"
#include "platform/registry.h"
#include "platform/string_table.h"

namespace app {

class Win32ModalWindows final : public ModalWindows {
 public:
  Win32ModalWindows(HINSTANCE instance, HWND owner, platform::Registry& registry,
                    const platform::StringTable& strings)
      : instance_(instance), owner_(owner), registry_(registry), strings_(strings) {}

  void ShowSettings(settings::Settings& settings, settings::Form2Host& host) override;
  void ShowAbout(std::int16_t language) override;

 private:
  HINSTANCE instance_;
  HWND owner_;
  platform::Registry& registry_;
  const platform::StringTable& strings_;
};

}  // namespace app
