// Owning wrappers for Win32 handles: one owner, moved never copied, released
// when the owner goes away.
#pragma once
#include <windows.h>

#include <utility>

namespace platform::win32 {

template <typename Handle, typename Release>
class UniqueHandle {
 public:
  UniqueHandle() = default;
  explicit UniqueHandle(Handle handle) : handle_(handle) {}
  ~UniqueHandle() { reset(); }
  UniqueHandle(const UniqueHandle&) = delete;
  UniqueHandle& operator=(const UniqueHandle&) = delete;
  UniqueHandle(UniqueHandle&& other) noexcept : handle_(other.release()) {}
  UniqueHandle& operator=(UniqueHandle&& other) noexcept {
    if (this != &other) reset(other.release());
    return *this;
  }

  Handle get() const { return handle_; }
  explicit operator bool() const { return handle_ != Handle{}; }
  Handle release() { return std::exchange(handle_, Handle{}); }
  void reset(Handle handle = Handle{}) {
    if (handle_ != Handle{}) Release{}(handle_);
    handle_ = handle;
  }

 private:
  Handle handle_{};
};

struct CloseRegKey {
  void operator()(HKEY key) const { RegCloseKey(key); }
};
struct DeleteGdiObject {
  void operator()(HGDIOBJ object) const { DeleteObject(object); }
};
struct DestroyMenuHandle {
  void operator()(HMENU menu) const { DestroyMenu(menu); }
};
struct DestroyAcceleratorTableHandle {
  void operator()(HACCEL table) const { DestroyAcceleratorTable(table); }
};
struct DestroyIconHandle {
  void operator()(HICON icon) const { DestroyIcon(icon); }
};
struct CloseKernelHandle {
  void operator()(HANDLE handle) const { CloseHandle(handle); }
};

// COM interfaces are released, not closed.
struct ReleaseComObject {
  template <class Interface>
  void operator()(Interface* object) const {
    object->Release();
  }
};

using UniqueHkey = UniqueHandle<HKEY, CloseRegKey>;
using UniqueFont = UniqueHandle<HFONT, DeleteGdiObject>;
using UniqueMenu = UniqueHandle<HMENU, DestroyMenuHandle>;
using UniqueAccelerators = UniqueHandle<HACCEL, DestroyAcceleratorTableHandle>;
using UniqueIcon = UniqueHandle<HICON, DestroyIconHandle>;
using UniqueKernelHandle = UniqueHandle<HANDLE, CloseKernelHandle>;

// The clipboard, open for as long as this object lives.
class ClipboardSession {
 public:
  explicit ClipboardSession(HWND owner) : open_(OpenClipboard(owner) != FALSE) {}
  ~ClipboardSession() {
    if (open_) CloseClipboard();
  }
  ClipboardSession(const ClipboardSession&) = delete;
  ClipboardSession& operator=(const ClipboardSession&) = delete;
  bool is_open() const { return open_; }

 private:
  bool open_;
};

}  // namespace platform::win32
