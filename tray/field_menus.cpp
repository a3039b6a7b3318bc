// The menus on the host field and the address list.
#include "tray/field_menus.h"

#include "resources/resource.h"

namespace tray {

bool OnFieldInput(int controlId, FieldInput input, platform::PixelPoint pointer,
                  platform::WindowOps& window) {
  switch (controlId) {
    case IDC_Text1:
      if (input == FieldInput::RightButtonUp) {
        window.OpenPopupMenu(POPUP_POS_mnuPopup, pointer, 0);
      } else {
        // Below the field's left edge, as a menu opened from the keyboard is.
        const platform::PixelRect field = window.ControlBounds(IDC_Text1);
        window.OpenPopupMenu(POPUP_POS_mnuPopup,
                             window.ClientToScreen({field.left, field.top + field.height}), 0);
      }
      return true;
    case IDC_List1:
      // The context-menu key reaches the list box itself.
      if (input != FieldInput::RightButtonUp) return false;
      // Only for a selected entry, and the selection is left as it is.
      if (window.ListSelection(IDC_List1) >= 0) {
        window.OpenPopupMenu(POPUP_POS_mnuPopupIP, pointer, 0);
      }
      return true;
    default:
      return false;
  }
}

}  // namespace tray
