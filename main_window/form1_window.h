// The main window on Win32: its frame, controls, menus, fonts, shortcut keys
// and refresh timer, the window operations the logic performs on it, and the
// messages it hands on to the logic, one call each.
#pragma once
#include <windows.h>

#include <iterator>
#include <string>
#include <vector>

#include "main_window/form1_events.h"
#include "main_window/layout.h"
#include "main_window/list_tip.h"
#include "platform/few_map.h"
#include "platform/win32/base_window.h"
#include "platform/win32/program_icons.h"
#include "platform/win32/unique_handle.h"
#include "platform/win32/window_subclass.h"
#include "platform/window_ops.h"
#include "resources/resource.h"
#include "tray/field_hooks.h"

namespace main_window {

inline constexpr wchar_t kForm1ClassName[] = L"AdreloViewerForm1";

class Form1Window final : public platform::win32::BaseWindow<Form1Window>,
                          public platform::WindowOps,
                          public tray::FieldHooks {
 public:
  // How a message is let through the filter Windows puts between a program
  // and the less privileged ones (ChangeWindowMessageFilterEx's shape).
  using MessageFilter = BOOL(WINAPI*)(HWND, UINT, DWORD, PCHANGEFILTERSTRUCT);

  explicit Form1Window(HINSTANCE instance, MessageFilter allowMessage = ChangeWindowMessageFilterEx)
      : instance_(instance), allowMessage_(allowMessage) {}
  ~Form1Window() override;
  Form1Window(const Form1Window&) = delete;
  Form1Window& operator=(const Form1Window&) = delete;

  // Creates the window hidden, with its controls and menus, sized from its
  // client area, and starts its refresh timer. False when the window could
  // not be created.
  bool Create();
  // Where the window's messages go from now on; until then they get the
  // default handling.
  void SetEvents(Form1Events* events) { events_ = events; }
  // For the message loop: a key of the thread turned into the command of its
  // shortcut, menu open or not, while the window is shown. After its tray
  // menu closes a hidden window stays active, and keys typed then must not
  // end the program or overwrite the clipboard. True when it was one.
  bool TranslateShortcut(MSG& message) const;
  // The menus that only ever pop up, by position (POPUP_POS_...).
  HMENU popupMenus() const { return popupMenus_.get(); }

  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);

  // platform::WindowOps
  std::vector<platform::PixelRect> Monitors() const override;
  int DpiOn(const platform::PixelRect& monitor) const override;
  int Dpi() const override { return dpi_; }
  void LayOutAt(int dpi) override;
  int ScreenDpi() const override { return screenDpi_; }
  platform::PixelSize OuterSize() const override;
  platform::PixelSize OuterSizeForClient(platform::PixelSize client, int dpi) const override;
  void SetBounds(platform::PixelRect outer) override;
  void SetShowState(platform::ShowState state) override;
  void Show() override;
  void BringToForeground() override { SetForegroundWindow(hwnd_); }
  void RequestClose() override { SendMessageW(hwnd_, WM_CLOSE, 0, 0); }
  platform::PixelPoint NormalPosition() const override;
  void SetText(int controlId, const std::wstring& text) override;
  std::wstring Text(int controlId) const override;
  void SetFontCharset(int controlId, int charset) override;
  void ListClear(int controlId) override;
  void ListAppend(int controlId, const std::wstring& entry) override;
  int ListCount(int controlId) const override;
  std::wstring ListEntry(int controlId, int index) const override;
  int ListSelection(int controlId) const override;
  void SetRedraw(int controlId, bool on) override;
  platform::PixelRect ControlBounds(int controlId) const override;
  void SetMenuCaption(int menuId, const std::wstring& caption) override;
  void OpenPopupMenu(int popupPosition, platform::PixelPoint screenPoint, int defaultItem) override;
  platform::PixelPoint CursorPosition() const override;
  platform::PixelPoint ClientToScreen(platform::PixelPoint client) const override;

  // tray::FieldHooks
  void HookText1() override { text1Hook_ = HookField(IDC_Text1); }
  void HookList1() override { list1Hook_ = HookField(IDC_List1); }
  void UnhookList1() override { list1Hook_.reset(); }
  void UnhookText1() override { text1Hook_.reset(); }

 private:
  LRESULT OnCreate();
  LRESULT OnActivate(WPARAM wParam, LPARAM lParam);
  LRESULT OnSetFocus();
  LRESULT OnDpiChanged(WPARAM wParam, LPARAM lParam);
  LRESULT OnGetDpiScaledSize(int dpi, SIZE& outer);
  LRESULT OnScaleMayHaveChanged(UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT OnCtlColorStatic(HDC dc, HWND control);
  LRESULT OnSysCommand(WPARAM command, LPARAM lParam);
  LRESULT OnCommand(WPARAM wParam, LPARAM lParam);
  LRESULT OnTimer(WPARAM timerId);
  LRESULT OnClose();
  LRESULT OnEndSession(bool ending);
  LRESULT OnTrayNotify(LPARAM lParam);
  LRESULT OnTaskbarCreated();
  LRESULT OnComeForward();
  LRESULT OnNotify(NMHDR& header);
  LRESULT OnListTipFollow();
  void OnDestroy();
  // Destroys the window, or ends the process at once, as the logic decided.
  void Finish(CloseAction action);

  platform::win32::WindowSubclass HookField(int controlId);
  static LRESULT FieldProc(HWND control, UINT message, WPARAM wParam, LPARAM lParam,
                           UINT_PTR controlId, DWORD_PTR self);

  // The handle kept at creation: under Wine, GetDlgItem asks the server for
  // every child of the window, and a tick names the controls a dozen times.
  HWND Control(int controlId) const;
  // Every control at its twips place at the window's DPI.
  void PlaceControls();
  // Every control's font made anew at the window's DPI, in the character set
  // it has; the fonts of the earlier DPI are deleted.
  void RemakeFonts();
  HFONT FontForCharset(int charset);
  // A menu bar captioned while the window was hidden is laid out once, as
  // the window is shown: laying it out costs a frame change each time.
  void LayOutMenuBarIfChanged();
  void LoadShortcutTexts();

  HINSTANCE instance_;
  MessageFilter allowMessage_;
  Form1Events* events_ = nullptr;
  int dpi_ = USER_DEFAULT_SCREEN_DPI;
  int screenDpi_ = USER_DEFAULT_SCREEN_DPI;
  platform::win32::WindowIcons icons_;
  // Sent to every top-level window when the shell (re)starts its task bar.
  UINT taskbarCreatedMessage_ = 0;
  UINT comeForwardMessage_ = 0;
  platform::win32::UniqueMenu popupMenus_;
  platform::win32::UniqueAccelerators accelerators_;
  platform::FewMap<int, platform::win32::UniqueFont> fonts_;    // by character set, for the DPI
  int focusId_ = kFirstFocusId;                          // the control the window's focus goes to
  platform::FewMap<int, std::wstring> shortcutTexts_;            // by command id
  bool menuBarChanged_ = false;
  bool classRegistered_ = false;
  HWND controls_[std::size(kControls)] = {};  // in the order of kControls
  bool listHadScrollBar_ = false;  // when the list's redraw was last turned off
  ListTip listTip_;
  platform::win32::WindowSubclass text1Hook_;
  platform::win32::WindowSubclass list1Hook_;
};

}  // namespace main_window
