// Operations the program's logic performs on its main window and the
// controls and menus in it. Sizes and positions are in pixels; controls and
// menu items are named by their ids from resource.h.
#pragma once
#include <string>
#include <vector>

namespace platform {

struct PixelSize {
  int width = 0;
  int height = 0;
  friend bool operator==(const PixelSize&, const PixelSize&) = default;
};

struct PixelPoint {
  int x = 0;
  int y = 0;
  friend bool operator==(const PixelPoint&, const PixelPoint&) = default;
};

struct PixelRect {
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;
  friend bool operator==(const PixelRect&, const PixelRect&) = default;
};

// Normal and Minimized show the window in that state; Hidden hides it and
// keeps its state.
enum class ShowState { Normal, Minimized, Hidden };

class WindowOps {
 public:
  virtual ~WindowOps() = default;

  // Monitors and frame.
  // Every monitor's rectangle in screen coordinates, the primary first (its
  // top-left corner is 0,0); never empty. Monitors left of or above the
  // primary have negative coordinates.
  virtual std::vector<PixelRect> Monitors() const = 0;
  // The dots per inch the window takes on the monitor with that rectangle:
  // the monitor's own where Windows gives each window its monitor's DPI,
  // the system's elsewhere.
  virtual int DpiOn(const PixelRect& monitor) const = 0;
  virtual int Dpi() const = 0;  // the dots per inch the window is laid out at
  // Controls, fonts and icons laid out anew at dpi, while the window is
  // hidden; its frame takes that DPI's size at the next SetBounds.
  virtual void LayOutAt(int dpi) = 0;
  // The scale of screen coordinates in twips: the system's, the same at every
  // start, so a position saved on a monitor of another DPI comes back there.
  virtual int ScreenDpi() const = 0;
  virtual PixelSize OuterSize() const = 0;  // the window's current outer size
  // Frame, caption and menu bar added, each at its size for dpi.
  virtual PixelSize OuterSizeForClient(PixelSize client, int dpi) const = 0;
  virtual void SetBounds(PixelRect outer) = 0;
  virtual void SetShowState(ShowState state) = 0;
  virtual void Show() = 0;               // visible again, in the state it has
  virtual void BringToForeground() = 0;  // SetForegroundWindow
  // A close request (WM_CLOSE), handled as every other one is.
  virtual void RequestClose() = 0;
  // The top-left corner of the window's normal (restored) rectangle, in
  // screen coordinates, also while it is minimised or hidden.
  virtual PixelPoint NormalPosition() const = 0;

  // Controls.
  virtual void SetText(int controlId, const std::wstring& text) = 0;
  virtual std::wstring Text(int controlId) const = 0;
  virtual void SetFontCharset(int controlId, int charset) = 0;
  virtual void ListClear(int controlId) = 0;
  virtual void ListAppend(int controlId, const std::wstring& entry) = 0;
  virtual int ListCount(int controlId) const = 0;
  virtual std::wstring ListEntry(int controlId, int index) const = 0;
  virtual int ListSelection(int controlId) const = 0;  // -1 when nothing is selected
  // Off while a control is rebuilt, so it is drawn once, when it is on again.
  virtual void SetRedraw(int controlId, bool on) = 0;
  virtual PixelRect ControlBounds(int controlId) const = 0;  // in client coordinates

  // Menus: the caption of an item or of a menu-bar title.
  virtual void SetMenuCaption(int menuId, const std::wstring& caption) = 0;
  // Opens one of the popup menus (POPUP_POS_...) at a point of the screen,
  // with an item drawn bold as its default (0: none). The command chosen
  // reaches the main window as its WM_COMMAND once the menu has closed.
  virtual void OpenPopupMenu(int popupPosition, PixelPoint screenPoint, int defaultItem) = 0;
  virtual PixelPoint CursorPosition() const = 0;             // in screen coordinates
  virtual PixelPoint ClientToScreen(PixelPoint client) const = 0;
};

}  // namespace platform
