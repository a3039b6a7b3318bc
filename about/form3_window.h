// The About window on Win32: a modal window with the version line, the
// picture, the maker line and the maker's web address as a link.
#pragma once
#include <windows.h>
#include <ocidl.h>

#include <cstdint>

#include "about/form3.h"
#include "platform/string_table.h"
#include "platform/win32/base_dialog.h"
#include "platform/win32/program_icons.h"
#include "platform/win32/unique_handle.h"

namespace about {

// Opens the About window, modal to owner, with its texts in the language of
// the offset; returns once the window is closed.
void ShowForm3(HINSTANCE instance, HWND owner, std::int16_t language,
               const platform::StringTable& strings);

class Form3 final : public platform::win32::BaseDialog<Form3> {
 public:
  using Picture = platform::win32::UniqueHandle<IPicture*, platform::win32::ReleaseComObject>;
  Form3(HINSTANCE instance, std::int16_t language, const platform::StringTable& strings,
        Picture picture);
  Form3(const Form3&) = delete;
  Form3& operator=(const Form3&) = delete;

  void ShowModal(HWND owner);
  INT_PTR HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);

 private:
  INT_PTR OnInitDialog();
  INT_PTR OnCtlColorStatic(HDC dc, HWND control);
  INT_PTR OnDrawItem(const DRAWITEMSTRUCT& item);
  INT_PTR OnSetCursor(HWND over, UINT mouseMessage);
  INT_PTR OnMouseMoveOverRest();
  INT_PTR OnCommand(int controlId, int code);
  INT_PTR OnActivate(WPARAM state);
  INT_PTR OnClose();
  INT_PTR OnDpiChanged(WPARAM wParam, LPARAM lParam);
  bool CreateControls();
  void PlaceControls();
  void MakeFonts();  // for dpi_
  void SetFonts(BOOL redraw);
  void ShowLinkLook(BOOL redraw);

  HINSTANCE instance_;
  std::int16_t language_;
  const platform::StringTable& strings_;
  platform::win32::WindowIcons icons_;
  LinkHighlight link_;
  HCURSOR hand_;  // shared: owned by the system, never destroyed
  platform::win32::UniqueFont versionFont_;  // Label2
  platform::win32::UniqueFont linkFont_;     // Label3 plain, and Label1
  platform::win32::UniqueFont litLinkFont_;  // Label3 lit: underlined
  Picture picture_;
  SIZE pictureSize_{};  // pixels
};

}  // namespace about
