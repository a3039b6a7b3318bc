// Message boxes on user32.
#pragma once
#include <windows.h>

#include "platform/message_box.h"

namespace platform::win32 {

class Win32MessageBox final : public MessageBoxOps {
 public:
  void SetOwner(HWND owner) { owner_ = owner; }
  void Show(const std::wstring& text, const std::wstring& title, MessageIcon icon) override;

 private:
  HWND owner_ = nullptr;
};

}  // namespace platform::win32
