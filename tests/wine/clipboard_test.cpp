// The clipboard against Wine's: plain text in, and a held clipboard left alone.
#include <windows.h>

#include <gtest/gtest.h>

#include "platform/win32/clipboard_win32.h"

namespace {

std::wstring ClipboardText() {
  if (!OpenClipboard(nullptr)) return L"<not open>";
  std::wstring text = L"<none>";
  if (HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
    if (const auto* chars = static_cast<const wchar_t*>(GlobalLock(data))) {
      text = chars;
      GlobalUnlock(data);
    }
  }
  CloseClipboard();
  return text;
}

TEST(RealClipboard, HoldsExactlyTheCopiedText) {
  platform::win32::Win32Clipboard clipboard;
  ASSERT_TRUE(clipboard.SetText(L"192.168.77.3"));
  EXPECT_EQ(ClipboardText(), L"192.168.77.3");
  ASSERT_TRUE(clipboard.SetText(L"Име на Компютъра"));
  EXPECT_EQ(ClipboardText(), L"Име на Компютъра");
  ASSERT_TRUE(clipboard.SetText(L""));
  EXPECT_EQ(ClipboardText(), L"");
}

struct Holder {
  HANDLE opened = CreateEventW(nullptr, TRUE, FALSE, nullptr);
  HANDLE release = CreateEventW(nullptr, TRUE, FALSE, nullptr);
  ~Holder() {
    CloseHandle(opened);
    CloseHandle(release);
  }
  // Another window of another thread keeps the clipboard open longer than
  // the retries last.
  static DWORD WINAPI Hold(void* context) {
    auto* self = static_cast<Holder*>(context);
    HWND window = CreateWindowExW(0, L"STATIC", L"holder", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                  nullptr, nullptr);
    const bool ok = OpenClipboard(window);
    SetEvent(self->opened);
    WaitForSingleObject(self->release, 5000);
    if (ok) CloseClipboard();
    DestroyWindow(window);
    return 0;
  }
};

TEST(RealClipboard, AClipboardHeldElsewhereIsLeftAsItWas) {
  platform::win32::Win32Clipboard clipboard;
  ASSERT_TRUE(clipboard.SetText(L"what the user copied"));
  Holder holder;
  HANDLE thread = CreateThread(nullptr, 0, Holder::Hold, &holder, 0, nullptr);
  ASSERT_NE(thread, nullptr);
  WaitForSingleObject(holder.opened, 5000);
  EXPECT_FALSE(clipboard.SetText(L"10.0.0.5"));
  SetEvent(holder.release);
  WaitForSingleObject(thread, 5000);
  CloseHandle(thread);
  EXPECT_EQ(ClipboardText(), L"what the user copied");
}

}  // namespace
