// A control's window procedure replaced by one of the program's own, which
// chains to the control's previous procedure (comctl32's subclass functions
// keep each control's chain), removed when the owner goes away.
#pragma once
#include <windows.h>

#include <commctrl.h>

#include <utility>

namespace platform::win32 {

class WindowSubclass {
 public:
  WindowSubclass() = default;
  WindowSubclass(HWND window, SUBCLASSPROC procedure, UINT_PTR id, DWORD_PTR data)
      : window_(window), procedure_(procedure), id_(id) {
    if (!SetWindowSubclass(window, procedure, id, data)) window_ = nullptr;
  }
  ~WindowSubclass() { reset(); }
  WindowSubclass(const WindowSubclass&) = delete;
  WindowSubclass& operator=(const WindowSubclass&) = delete;
  WindowSubclass(WindowSubclass&& other) noexcept
      : window_(std::exchange(other.window_, nullptr)), procedure_(other.procedure_), id_(other.id_) {}
  WindowSubclass& operator=(WindowSubclass&& other) noexcept {
    if (this != &other) {
      reset();
      window_ = std::exchange(other.window_, nullptr);
      procedure_ = other.procedure_;
      id_ = other.id_;
    }
    return *this;
  }

  // The control's previous procedure back.
  void reset() {
    if (window_ != nullptr) RemoveWindowSubclass(window_, procedure_, id_);
    window_ = nullptr;
  }

 private:
  HWND window_ = nullptr;
  SUBCLASSPROC procedure_ = nullptr;
  UINT_PTR id_ = 0;
};

}  // namespace platform::win32
