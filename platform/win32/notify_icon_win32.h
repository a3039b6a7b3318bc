// The notification icon on shell32, in its Unicode form, so a Bulgarian
// tooltip is right whatever the ANSI code page.
#pragma once
#include <windows.h>

#include <shellapi.h>

#include <string>

#include "platform/notify_icon.h"
#include "platform/win32/unique_handle.h"

namespace platform::win32 {

class Win32NotifyIcon final : public NotifyIcon {
 public:
  // The image is the program's icon at the size the taskbar shows.
  Win32NotifyIcon(HWND window, UINT id, UINT callbackMessage, HINSTANCE instance);

  bool Add(const std::wstring& tip) override;
  bool Modify(const std::wstring& tip) override;
  bool Delete() override;
  bool Check() override;
  bool FollowScale() override;
  bool ShellPresent() const override;

 private:
  bool Send(DWORD message, const std::wstring& tip);
  // The image for the taskbar's size now; false when it already is.
  bool LoadImageForTaskbar();

  HINSTANCE instance_;
  UniqueIcon image_;
  int imageSize_ = 0;
  NOTIFYICONDATAW data_{};
};

}  // namespace platform::win32
