// The program's icon at the size Windows shows it at a DPI, each loaded from
// the image of that size in the icon resource: never a shared handle (which
// LoadImage hands back whatever size was asked for next) and never a stretch.
// Functions of newer Windows are resolved at run time, so Windows 7 starts.
#pragma once
#include <windows.h>

#include "platform/win32/unique_handle.h"

namespace platform::win32 {

enum class IconKind { kSmall, kBig };

// The icon's side in pixels at dpi: SM_CXSMICON or SM_CXICON for that DPI.
int IconSize(IconKind kind, int dpi);

// The DPI of the monitor the taskbar is on (the system's where Windows cannot
// tell), for the notification icon.
int TaskbarDpi();

// The program's icon resource at size × size, drawn from its image of that
// size where it has one; empty when it cannot be loaded.
UniqueIcon LoadProgramIcon(HINSTANCE instance, int size);

// A window's caption and taskbar icons, for the DPI the window is at; the
// ones they replace are destroyed once the window has let go of them.
class WindowIcons {
 public:
  // As the class's icons, which a window shows from its creation at the
  // DPI it is created at: under Wine each icon sent to a window costs a
  // conversion for the X server, and the creation converts the class's
  // (or Windows' default) anyway. Kept until the class is unregistered.
  void ForClass(WNDCLASSEXW& windowClass, HINSTANCE instance, int dpi);
  // At the class's DPI, the class's icons: none is loaded twice.
  void Apply(HWND window, HINSTANCE instance, int dpi);

 private:
  int classDpi_ = 0;
  UniqueIcon classSmall_;
  UniqueIcon classBig_;
  UniqueIcon small_;
  UniqueIcon big_;
};

}  // namespace platform::win32
