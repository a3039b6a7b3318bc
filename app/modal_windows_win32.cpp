// The settings dialog and the About window, opened modal to the main window.
#include "app/modal_windows_win32.h"

#include "about/form3_window.h"
#include "platform/win32/executable_win32.h"
#include "settings/form2_window.h"

namespace app {

void Win32ModalWindows::ShowSettings(settings::Settings& settings, settings::Form2Host& host) {
  // Read at each opening: the Run value follows the executable where it is now.
  settings::ShowForm2(instance_, owner_,
                      {settings, registry_, strings_, platform::win32::ReadExecutableInfo(), host});
}

void Win32ModalWindows::ShowAbout(std::int16_t language) {
  about::ShowForm3(instance_, owner_, language, strings_);
}

}  // namespace app
