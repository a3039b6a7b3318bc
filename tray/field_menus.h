// The program's own one-command menus on the host field and the address
// list, opened from their replacement window procedures.
#pragma once
#include "platform/window_ops.h"

namespace tray {

enum class FieldInput {
  RightButtonUp,  // WM_RBUTTONUP
  MenuKey,        // WM_CONTEXTMENU without a point: the context-menu key or Shift+F10
};

// Opens the field's menu where one is due: a right click's at the point it
// happened (screen coordinates). True when the control's own procedure must
// not see the input (its built-in menu would follow).
bool OnFieldInput(int controlId, FieldInput input, platform::PixelPoint pointer,
                  platform::WindowOps& window);

}  // namespace tray
