// A control's window procedure replaced by one of the program's own, which
// hands what it does not take to the previous procedure; the previous one is
// put back when the owner goes away.
#pragma once
#include <windows.h>

#include <memory>

namespace platform::win32 {

class WindowSubclass {
 public:
  // The program's procedure, with the id and data it was hooked with; it
  // ends with CallPrevious for every message it does not take.
  using Procedure = LRESULT (*)(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                                UINT_PTR id, DWORD_PTR data);

  WindowSubclass() = default;
  WindowSubclass(HWND window, Procedure procedure, UINT_PTR id, DWORD_PTR data)
      : hook_(new Hook{window, procedure, id, data, nullptr}) {
    // The window's user data leads the shared entry point to this hook. Not
    // a window property, as comctl32's SetWindowSubclass keeps: under Wine
    // every property lookup is a round trip to the server, and the hook
    // looks once for every message the control gets.
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(hook_.get()));
    hook_->previous = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&EntryPoint)));
    if (hook_->previous == nullptr) {
      SetWindowLongPtrW(window, GWLP_USERDATA, 0);
      hook_.reset();
    }
  }
  ~WindowSubclass() { reset(); }
  WindowSubclass(const WindowSubclass&) = delete;
  WindowSubclass& operator=(const WindowSubclass&) = delete;
  WindowSubclass(WindowSubclass&&) noexcept = default;
  WindowSubclass& operator=(WindowSubclass&& other) noexcept {
    if (this != &other) {
      reset();
      hook_ = std::move(other.hook_);
    }
    return *this;
  }

  // The control's previous procedure back, unless another one has been put
  // over this one since (taking this one out would unhook that one too; it
  // stays then, handing everything on, and the hook with it).
  void reset() {
    if (!hook_) return;
    HWND window = hook_->window;
    if (GetWindowLongPtrW(window, GWLP_WNDPROC) == reinterpret_cast<LONG_PTR>(&EntryPoint)) {
      SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(hook_->previous));
      SetWindowLongPtrW(window, GWLP_USERDATA, 0);
      hook_.reset();
    } else if (IsWindow(window)) {
      hook_->procedure = nullptr;
      hook_.release();  // still reached through the window
    } else {
      hook_.reset();
    }
  }

  // The message to the procedure the hook replaced.
  static LRESULT CallPrevious(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    const Hook* hook = Find(window);
    return hook != nullptr ? CallWindowProcW(hook->previous, window, message, wParam, lParam)
                           : DefWindowProcW(window, message, wParam, lParam);
  }

 private:
  struct Hook {
    HWND window;
    Procedure procedure;  // nullptr once unhooked: everything is handed on
    UINT_PTR id;
    DWORD_PTR data;
    WNDPROC previous;
  };

  static const Hook* Find(HWND window) {
    return reinterpret_cast<const Hook*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  }

  static LRESULT CALLBACK EntryPoint(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    const Hook* hook = Find(window);
    if (hook != nullptr && hook->procedure != nullptr)
      return hook->procedure(window, message, wParam, lParam, hook->id, hook->data);
    return CallPrevious(window, message, wParam, lParam);
  }

  std::unique_ptr<Hook> hook_;
};

}  // namespace platform::win32
