// What the main window's Win32 shell hands on to the program's logic: one
// call for each message it acts on.
#pragma once
#include <string>

#include "tray/field_menus.h"

namespace main_window {

// What the shell does once a close request or the end of the session has
// been handled.
enum class CloseAction {
  KeepRunning,    // the request was cancelled (the window only hid)
  CloseWindow,    // destroy the window: the message loop, and the program, end
  EndProcessNow,  // the sockets library failed to stop (said so): end at once
};

class Form1Events {
 public:
  virtual ~Form1Events() = default;
  virtual void OnCommand(int commandId) = 0;
  virtual void OnTimer() = 0;
  virtual CloseAction OnCloseRequest() = 0;
  // The session ends (log-off, shut-down): saved and cleaned up whatever the
  // window's state.
  virtual CloseAction OnEndSession() = 0;
  virtual void OnTrayNotify(int mouseMessage) = 0;
  virtual void OnTaskbarCreated() = 0;
  // The display's or the taskbar's scale may have changed.
  virtual void OnScaleChanged() = 0;
  // Another start asks this copy to come forward; false while it ends.
  virtual bool OnComeForward() = 0;
  // True when the control's own procedure must not see the input; pointer
  // is where the mouse was when it came, in screen coordinates.
  virtual bool OnFieldInput(int controlId, tray::FieldInput input,
                            platform::PixelPoint pointer) = 0;
  // The hover tip of the address list's entry (0 first); empty: no tip.
  virtual std::wstring OnListTip(int entry) = 0;
};

}  // namespace main_window
