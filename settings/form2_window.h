// The settings dialog on Win32: a modal window of the main window, created
// anew at each opening, with its frames, option buttons, check boxes and
// buttons laid out from twips and the fonts the layout gives them.
#pragma once
#include <windows.h>

#include <utility>
#include <vector>

#include "platform/few_map.h"
#include "platform/win32/message_box_win32.h"
#include "platform/win32/base_dialog.h"
#include "platform/win32/program_icons.h"
#include "platform/win32/unique_handle.h"
#include "platform/win32/window_subclass.h"
#include "settings/form2.h"
#include "settings/form2_layout.h"

namespace settings {

// Shows the settings dialog modal to owner; returns when it has closed.
void ShowForm2(HINSTANCE instance, HWND owner, const Form2Services& services);

class Form2Window final : public platform::win32::BaseDialog<Form2Window>, public Form2Controls {
 public:
  Form2Window(HINSTANCE instance, const Form2Services& services)
      : instance_(instance), form2_(*this, messages_, services) {}
  Form2Window(const Form2Window&) = delete;
  Form2Window& operator=(const Form2Window&) = delete;

  void ShowModal(HWND owner);
  INT_PTR HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);

  // Form2Controls
  void Select(int optionId) override;
  bool IsSelected(int optionId) const override;
  void SetChecked(int checkId, bool checked) override;
  bool IsChecked(int checkId) const override;
  void SetTitle(const std::wstring& title) override;
  void SetCaption(int controlId, const std::wstring& caption) override;
  void SetFontCharset(int controlId, int charset) override;
  void Close() override;

 private:
  INT_PTR OnInitDialog();
  INT_PTR OnCommand(int controlId, int code);
  INT_PTR OnClose();
  INT_PTR OnDpiChanged(WPARAM wParam, LPARAM lParam);

  bool CreateControls();
  void PlaceControls();
  HWND Control(int controlId) const { return GetDlgItem(hwnd_, controlId); }
  int Pixels(std::int32_t twips) const;
  HFONT FontFor(Form2ControlKind kind, int charset);
  void SetFont(const Form2ControlLayout& control, int charset, BOOL redraw);

  HINSTANCE instance_;
  platform::win32::WindowIcons icons_;
  int standardFontDpi_ = USER_DEFAULT_SCREEN_DPI;  // the dialog's own font's
  // Owned by the dialog: one owned by the main window, disabled behind the
  // dialog, would enable it again as it closed.
  platform::win32::Win32MessageBox messages_;
  Form2 form2_;
  // One font per kind and character set, for the dialog's life.
  platform::FewMap<std::pair<Form2ControlKind, int>, platform::win32::UniqueFont> fonts_;
  std::vector<platform::win32::WindowSubclass> frameHooks_;  // captions painted whole
};

}  // namespace settings
