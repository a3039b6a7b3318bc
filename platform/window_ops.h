// Operations the program's logic performs on its main window and the
// controls and menus in it. Sizes and positions are in pixels; controls and
// menu items are named by their ids from resource.h.
#pragma once
#include <string>

namespace platform {

struct PixelSize {
  int width = 0;
  int height = 0;
  friend bool operator==(const PixelSize&, const PixelSize&) = default;
};

struct PixelRect {
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;
  friend bool operator==(const PixelRect&, const PixelRect&) = default;
};

enum class ShowState { Normal, Minimized, Hidden };

class WindowOps {
 public:
  virtual ~WindowOps() = default;

  // Screen and frame.
  virtual PixelSize ScreenSize() const = 0;
  virtual int Dpi() const = 0;                                  // system dots per inch
  virtual PixelSize OuterSize() const = 0;                      // the window's current outer size
  virtual PixelSize OuterSizeForClient(PixelSize client) const = 0;  // frame, caption and menu bar added
  virtual void SetBounds(PixelRect outer) = 0;
  virtual void SetShowState(ShowState state) = 0;

  // Controls.
  virtual void SetText(int controlId, const std::wstring& text) = 0;
  virtual std::wstring Text(int controlId) const = 0;
  virtual void SetFontCharset(int controlId, int charset) = 0;
  virtual void ListClear(int controlId) = 0;
  virtual void ListAppend(int controlId, const std::wstring& entry) = 0;
  virtual int ListCount(int controlId) const = 0;
  virtual std::wstring ListEntry(int controlId, int index) const = 0;

  // Menus: the caption of an item or of a menu-bar title.
  virtual void SetMenuCaption(int menuId, const std::wstring& caption) = 0;
};

}  // namespace platform
