// The notification icon on shell32.
#include "platform/win32/notify_icon_win32.h"

#include <algorithm>
#include <utility>

#include "platform/win32/program_icons.h"

namespace platform::win32 {

namespace {

// The first layout of the record: its six fields and a 64-character tip,
// which every shell since the first takes.
constexpr std::size_t kTipField = 64;

}  // namespace

Win32NotifyIcon::Win32NotifyIcon(HWND window, UINT id, UINT callbackMessage, HINSTANCE instance)
    : instance_(instance) {
  data_.cbSize = NOTIFYICONDATAW_V1_SIZE;
  data_.hWnd = window;
  data_.uID = id;
  data_.uCallbackMessage = callbackMessage;
}

bool Win32NotifyIcon::LoadImageForTaskbar() {
  const int size = IconSize(IconKind::kSmall, TaskbarDpi());
  if (size == imageSize_ && image_) return false;
  UniqueIcon image = LoadProgramIcon(instance_, size);
  if (!image) return false;
  // The shell keeps a copy of its own: the old image can go at once.
  data_.hIcon = image.get();
  image_ = std::move(image);
  imageSize_ = size;
  return true;
}

bool Win32NotifyIcon::FollowScale() {
  if (!LoadImageForTaskbar()) return true;
  NOTIFYICONDATAW image = data_;
  image.uFlags = NIF_ICON;
  return Shell_NotifyIconW(NIM_MODIFY, &image) != FALSE;
}

// An add (at start-up, or once the shell has restarted) also takes the
// taskbar's size as it is now.
bool Win32NotifyIcon::Add(const std::wstring& tip) {
  LoadImageForTaskbar();
  return Send(NIM_ADD, tip);
}

bool Win32NotifyIcon::Modify(const std::wstring& tip) { return Send(NIM_MODIFY, tip); }

bool Win32NotifyIcon::Delete() { return Send(NIM_DELETE, std::wstring()); }

bool Win32NotifyIcon::Check() {
  NOTIFYICONDATAW nothing = data_;
  nothing.uFlags = 0;
  return Shell_NotifyIconW(NIM_MODIFY, &nothing) != FALSE;
}

bool Win32NotifyIcon::ShellPresent() const { return FindWindowW(L"Shell_TrayWnd", nullptr) != nullptr; }

bool Win32NotifyIcon::Send(DWORD message, const std::wstring& tip) {
  // A change sends the tooltip alone: the shell keeps the rest, and a record
  // with the icon makes it copy the icon's bitmaps across on every tick.
  data_.uFlags = message == NIM_MODIFY ? NIF_TIP : NIF_MESSAGE | NIF_ICON | NIF_TIP;
  const std::size_t length = std::min(tip.size(), kTipField - 1);
  std::copy_n(tip.data(), length, data_.szTip);
  data_.szTip[length] = L'\0';
  return Shell_NotifyIconW(message, &data_) != FALSE;
}

}  // namespace platform::win32
