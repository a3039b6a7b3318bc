// The notification icon on shell32, in its Unicode form, so a Bulgarian
// tooltip is right whatever the ANSI code page.
#pragma once
#include <windows.h>

#include <shellapi.h>

#include <string>

#include "platform/notify_icon.h"

namespace platform::win32 {

class Win32NotifyIcon final : public NotifyIcon {
 public:
  Win32NotifyIcon(HWND window, UINT id, UINT callbackMessage, HICON icon);

  bool Add(const std::wstring& tip) override;
  bool Modify(const std::wstring& tip) override;
  bool Delete() override;
  bool Check() override;
  bool ShellPresent() const override;

 private:
  bool Send(DWORD message, const std::wstring& tip);

  NOTIFYICONDATAW data_{};
};

}  // namespace platform::win32
