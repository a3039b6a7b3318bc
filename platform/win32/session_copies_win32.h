// The session's lock (a mutex in the session's own namespace, so another
// session or user keeps its own copy) and the way one copy asks the running
// one to come forward: a registered message to its main window, sent with a
// short timeout, the foreground allowed to it first.
#pragma once
#include <windows.h>

#include "platform/session_copies.h"
#include "platform/win32/unique_handle.h"

namespace platform::win32 {

inline constexpr wchar_t kSessionLockName[] = L"Local\\AdreloViewer.Running";
inline constexpr wchar_t kComeForwardMessage[] = L"AdreloViewer.ComeForward";
// What the running copy answers when it comes forward (0 while it ends).
inline constexpr LRESULT kComeForwardAnswer = 0x41445256;
inline constexpr UINT kComeForwardTimeoutMs = 500;

class Win32SessionCopies final : public platform::SessionCopies {
 public:
  // mainWindowClass: the class of the window that is asked.
  explicit Win32SessionCopies(const wchar_t* mainWindowClass);
  ~Win32SessionCopies() override;
  Win32SessionCopies(const Win32SessionCopies&) = delete;
  Win32SessionCopies& operator=(const Win32SessionCopies&) = delete;

  platform::LockState TakeLock(unsigned ms) override;
  platform::AskAnswer AskToComeForward() override;

 private:
  const wchar_t* mainWindowClass_;
  UniqueKernelHandle lock_;
  // The lock is another copy's, made by an elevated process: its access
  // list lets only elevated administrators open it.
  bool refused_;
  bool held_ = false;
};

}  // namespace platform::win32
