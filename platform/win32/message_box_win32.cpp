// Message boxes on user32.
#include "platform/win32/message_box_win32.h"

namespace platform::win32 {

void Win32MessageBox::Show(const std::wstring& text, const std::wstring& title,
                           MessageIcon icon) {
  UINT style = MB_OK;
  if (icon == MessageIcon::Error) style |= MB_ICONERROR;
  // Modal to the program: the owner (also while hidden) takes no input meanwhile.
  if (owner_ == nullptr) style |= MB_TASKMODAL;
  MessageBoxW(owner_, text.c_str(), title.c_str(), style);
}

}  // namespace platform::win32
