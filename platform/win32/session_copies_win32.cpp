// The lock is a mutex, so that Windows frees it with the process however it
// ends: a copy that crashed never stops the next start.
#include "platform/win32/session_copies_win32.h"

namespace platform::win32 {

Win32SessionCopies::Win32SessionCopies(const wchar_t* mainWindowClass)
    : mainWindowClass_(mainWindowClass),
      lock_(CreateMutexW(nullptr, FALSE, kSessionLockName)),
      refused_(!lock_ && GetLastError() == ERROR_ACCESS_DENIED) {}

Win32SessionCopies::~Win32SessionCopies() {
  if (held_) ReleaseMutex(lock_.get());
}

platform::LockState Win32SessionCopies::TakeLock(unsigned ms) {
  if (refused_) return platform::LockState::Refused;
  // Without a lock (the name taken by an object of another kind) the
  // program runs as it would have without one.
  if (!lock_) return platform::LockState::Taken;
  const DWORD waited = WaitForSingleObject(lock_.get(), ms);
  // Abandoned: the copy that held it ended without letting it go.
  held_ = waited == WAIT_OBJECT_0 || waited == WAIT_ABANDONED;
  return held_ ? platform::LockState::Taken : platform::LockState::Held;
}

platform::AskAnswer Win32SessionCopies::AskToComeForward() {
  const UINT message = RegisterWindowMessageW(kComeForwardMessage);
  HWND running = FindWindowW(mainWindowClass_, nullptr);
  if (running == nullptr || message == 0) return platform::AskAnswer::NoWindow;
  // Windows gives the foreground only to the process that has it: the
  // running copy may take it when it comes forward.
  DWORD process = 0;
  GetWindowThreadProcessId(running, &process);
  AllowSetForegroundWindow(process);
  DWORD_PTR answer = 0;
  if (SendMessageTimeoutW(running, message, 0, 0, SMTO_ABORTIFHUNG, kComeForwardTimeoutMs, &answer) == 0)
    return GetLastError() == ERROR_INVALID_WINDOW_HANDLE ? platform::AskAnswer::NoWindow : platform::AskAnswer::NoAnswer;
  return static_cast<LRESULT>(answer) == kComeForwardAnswer ? platform::AskAnswer::Answered
                                                            : platform::AskAnswer::Declined;
}

}  // namespace platform::win32
