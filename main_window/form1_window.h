// The main window on Win32: its frame, controls, menus, fonts and shortcut
// keys, and the window operations the logic performs on it.
#pragma once
#include <windows.h>

#include <cstdint>
#include <map>

#include "platform/string_table.h"
#include "platform/win32/base_window.h"
#include "platform/win32/unique_handle.h"
#include "platform/window_ops.h"
#include "tray/field_hooks.h"
#include "tray/tray_icon.h"

namespace main_window {

inline constexpr wchar_t kForm1ClassName[] = L"AdreloViewerForm1";

class Form1Window final : public platform::win32::BaseWindow<Form1Window>,
                          public platform::WindowOps,
                          public tray::FieldHooks,
                          public tray::TrayIcon {
 public:
  explicit Form1Window(HINSTANCE instance) : instance_(instance) {}
  ~Form1Window() override;
  Form1Window(const Form1Window&) = delete;
  Form1Window& operator=(const Form1Window&) = delete;

  // Creates the window hidden, with its controls and menus, sized from its
  // client area. False when the window could not be created.
  bool Create();
  HACCEL accelerators() const { return accelerators_.get(); }
  // The menus that only ever pop up, by position (POPUP_POS_...).
  HMENU popupMenus() const { return popupMenus_.get(); }

  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
  // Until the commands are wired: what mnuAbout opens the About window with.
  void SetAboutSource(const platform::StringTable* strings, std::int16_t language) {
    aboutStrings_ = strings;
    aboutLanguage_ = language;
  }

  // platform::WindowOps
  platform::PixelSize ScreenSize() const override;
  int Dpi() const override { return dpi_; }
  platform::PixelSize OuterSize() const override;
  platform::PixelSize OuterSizeForClient(platform::PixelSize client) const override;
  void SetBounds(platform::PixelRect outer) override;
  void SetShowState(platform::ShowState state) override;
  void SetText(int controlId, const std::wstring& text) override;
  std::wstring Text(int controlId) const override;
  void SetFontCharset(int controlId, int charset) override;
  void ListClear(int controlId) override;
  void ListAppend(int controlId, const std::wstring& entry) override;
  int ListCount(int controlId) const override;
  std::wstring ListEntry(int controlId, int index) const override;
  void SetMenuCaption(int menuId, const std::wstring& caption) override;

  // tray::FieldHooks, tray::TrayIcon
  void HookText1() override;
  void HookList1() override;
  void AddTrayIcon() override;

 private:
  LRESULT OnCreate();
  LRESULT OnCtlColorStatic(HDC dc, HWND control);
  LRESULT OnSysCommand(WPARAM command, LPARAM lParam);
  void OnDestroy();

  HWND Control(int controlId) const { return GetDlgItem(hwnd_, controlId); }
  HFONT FontForCharset(int charset);
  void LoadShortcutTexts();

  HINSTANCE instance_;
  int dpi_ = USER_DEFAULT_SCREEN_DPI;
  platform::win32::UniqueMenu popupMenus_;
  platform::win32::UniqueAccelerators accelerators_;
  std::map<int, platform::win32::UniqueFont> fonts_;    // by character set, kept for the run
  std::map<int, std::wstring> shortcutTexts_;            // by command id
  const platform::StringTable* aboutStrings_ = nullptr;
  std::int16_t aboutLanguage_ = 0;
};

}  // namespace main_window
