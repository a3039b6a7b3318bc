// The plumbing shared by the program's modal windows (the settings dialog and
// the About window): each is a dialog built from an empty in-memory template,
// run by Windows' own modal loop (the owner is disabled meanwhile and its
// messages, timer ticks included, keep being dispatched), sized so that its
// client area is exactly the pixels given and centred over its owner. The
// object behind the dialog is stored with it at WM_INITDIALOG and every later
// message goes to the object's HandleMessage, which returns TRUE for a
// message it handled, as a dialog procedure does.
#pragma once
#include <windows.h>

#include <cstdint>

#include "platform/twips.h"

namespace platform::win32 {

struct ModalFrame {
  DWORD style;            // WS_CAPTION, WS_SYSMENU... (WS_POPUP is added)
  DWORD exStyle;
  std::int32_t clientWidthTwips;
  std::int32_t clientHeightTwips;
};

// Runs the dialog modal to owner; returns the EndDialog result, or -1 when
// the dialog could not be created.
INT_PTR RunModalDialog(HINSTANCE instance, HWND owner, const ModalFrame& frame, DLGPROC procedure,
                       LPARAM parameter);

// Gives the dialog its client size and centres it over its owner (over the
// work area when the owner is hidden or minimised).
void SizeAndCentreDialog(HWND dialog, int clientWidth, int clientHeight);

// The system's dots per inch: the main monitor's, and every window's where
// Windows has no DPI per window.
int SystemDpi();

// The DPI of the monitor the window is on, as Windows scales it.
int WindowDpi(HWND window);

template <class Derived>
class BaseDialog {
 public:
  HWND hwnd() const { return hwnd_; }

 protected:
  INT_PTR RunModal(HINSTANCE instance, HWND owner, const ModalFrame& frame) {
    frame_ = frame;
    return RunModalDialog(instance, owner, frame, DialogProc, reinterpret_cast<LPARAM>(this));
  }

  static INT_PTR CALLBACK DialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    Derived* self = nullptr;
    if (message == WM_INITDIALOG) {
      self = static_cast<Derived*>(reinterpret_cast<BaseDialog*>(lParam));
      self->hwnd_ = dialog;
      SetWindowLongPtrW(dialog, DWLP_USER, lParam);
      // The monitor it opened on, its owner's, may be at another DPI than
      // the main one: laid out for that one from the start.
      self->dpi_ = WindowDpi(dialog);
      SizeAndCentreDialog(dialog, TwipsToPixels(self->frame_.clientWidthTwips, self->dpi_),
                          TwipsToPixels(self->frame_.clientHeightTwips, self->dpi_));
    } else {
      // static_cast, as above: with a second, polymorphic base the BaseDialog
      // part need not start where the Derived object does.
      self = static_cast<Derived*>(
          reinterpret_cast<BaseDialog*>(GetWindowLongPtrW(dialog, DWLP_USER)));
    }
    if (self == nullptr) return FALSE;
    if (message == WM_NCDESTROY) {
      SetWindowLongPtrW(dialog, DWLP_USER, 0);
      self->hwnd_ = nullptr;
      return FALSE;
    }
    return self->HandleMessage(message, wParam, lParam);
  }

  HWND hwnd_ = nullptr;
  int dpi_ = USER_DEFAULT_SCREEN_DPI;  // the dialog's, from WM_INITDIALOG on

 private:
  ModalFrame frame_{};
};

}  // namespace platform::win32
