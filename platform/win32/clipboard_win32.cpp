// The clipboard interface on user32.
#include "platform/win32/clipboard_win32.h"

#include <cstring>

#include "platform/win32/unique_handle.h"

namespace platform::win32 {

namespace {

// Another program may hold the clipboard open for a moment (clipboard
// managers do after every change, and remote-desktop and virtual-machine
// clipboard sharing for some hundreds of milliseconds): try again for up to
// half a second, the longest a copy may keep the window from answering.
constexpr DWORD kOpenRetryDelayMs = 25;
constexpr int kOpenAttempts = 1 + 500 / kOpenRetryDelayMs;

struct FreeGlobal {
  void operator()(HGLOBAL memory) const { GlobalFree(memory); }
};
using UniqueGlobal = UniqueHandle<HGLOBAL, FreeGlobal>;

// A movable global block holding text and its terminating zero.
UniqueGlobal CopyToGlobal(const std::wstring& text) {
  const std::size_t bytes = (text.size() + 1) * sizeof(wchar_t);
  UniqueGlobal memory(GlobalAlloc(GMEM_MOVEABLE, bytes));
  if (!memory) return memory;
  void* target = GlobalLock(memory.get());
  if (target == nullptr) return UniqueGlobal();
  std::memcpy(target, text.c_str(), bytes);
  GlobalUnlock(memory.get());
  return memory;
}

}  // namespace

bool Win32Clipboard::SetText(const std::wstring& text) {
  UniqueGlobal memory = CopyToGlobal(text);
  if (!memory) return false;
  for (int attempt = 0; attempt < kOpenAttempts; ++attempt) {
    if (attempt > 0) Sleep(kOpenRetryDelayMs);
    ClipboardSession session(owner_);
    if (!session.is_open()) continue;
    if (!EmptyClipboard()) return false;
    // On success the system owns the block.
    if (SetClipboardData(CF_UNICODETEXT, memory.get()) == nullptr) return false;
    memory.release();
    return true;
  }
  return false;
}

}  // namespace platform::win32
