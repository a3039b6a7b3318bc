// The clipboard interface on user32.
#pragma once
#include <windows.h>

#include "platform/clipboard.h"

namespace platform::win32 {

class Win32Clipboard final : public Clipboard {
 public:
  void SetOwner(HWND owner) { owner_ = owner; }
  bool SetText(const std::wstring& text) override;

 private:
  HWND owner_ = nullptr;
};

}  // namespace platform::win32
