// The group box's own look, its caption whole: the frame line from the
// visual style (comctl32 has uxtheme loaded already) or the classic etched
// edge, the caption in the parent's static colours.
#include "platform/win32/frame_caption.h"

#include <string>

#include "platform/win32/system_library.h"

namespace platform::win32 {
namespace {

// The part and state of a group box in the visual style (vssym32.h).
constexpr int kGroupBoxPart = 4;
constexpr int kGroupBoxNormal = 1;
constexpr UINT kCaptionFormat = DT_SINGLELINE | DT_LEFT | DT_TOP | DT_NOCLIP;

struct Theming {
  using GetWindowThemeFunction = HANDLE(WINAPI*)(HWND);
  using DrawBackgroundFunction = HRESULT(WINAPI*)(HANDLE, HDC, int, int, const RECT*, const RECT*);
  using ContentRectFunction = HRESULT(WINAPI*)(HANDLE, HDC, int, int, const RECT*, RECT*);
  GetWindowThemeFunction windowTheme = nullptr;
  DrawBackgroundFunction drawBackground = nullptr;
  ContentRectFunction contentRect = nullptr;
};

// Only a library the process already has: without it there is no style.
// Looked up at each paint (two cheap calls), which keeps the program free
// of a guarded static and what it pulls in.
Theming LoadedTheming() {
  Theming found;
  HMODULE uxtheme = GetModuleHandleW(L"uxtheme.dll");
  found.windowTheme = ResolveFunction<Theming::GetWindowThemeFunction>(uxtheme, "GetWindowTheme");
  found.drawBackground = ResolveFunction<Theming::DrawBackgroundFunction>(uxtheme, "DrawThemeBackground");
  found.contentRect =
      ResolveFunction<Theming::ContentRectFunction>(uxtheme, "GetThemeBackgroundContentRect");
  return found;
}

void DrawFrameLine(HWND frame, HDC dc, RECT box) {
  const Theming theming = LoadedTheming();
  HANDLE theme = theming.windowTheme && theming.drawBackground && theming.contentRect
                     ? theming.windowTheme(frame)
                     : nullptr;
  if (theme == nullptr) {
    DrawEdge(dc, &box, EDGE_ETCHED, BF_RECT);
    return;
  }
  // The inside stays as the parent painted it, as the control leaves it.
  RECT inside{};
  if (SUCCEEDED(theming.contentRect(theme, dc, kGroupBoxPart, kGroupBoxNormal, &box, &inside)))
    ExcludeClipRect(dc, inside.left, inside.top, inside.right, inside.bottom);
  theming.drawBackground(theme, dc, kGroupBoxPart, kGroupBoxNormal, &box, nullptr);
}

void PaintFrame(HWND frame, HDC dc) {
  const int saved = SaveDC(dc);
  RECT client{};
  GetClientRect(frame, &client);
  auto brush = reinterpret_cast<HBRUSH>(SendMessageW(GetParent(frame), WM_CTLCOLORSTATIC,
                                                     reinterpret_cast<WPARAM>(dc),
                                                     reinterpret_cast<LPARAM>(frame)));
  if (brush == nullptr) brush = GetSysColorBrush(COLOR_BTNFACE);
  if (auto font = reinterpret_cast<HFONT>(SendMessageW(frame, WM_GETFONT, 0, 0))) SelectObject(dc, font);
  TEXTMETRICW metrics{};
  GetTextMetricsW(dc, &metrics);
  std::wstring caption(GetWindowTextLengthW(frame) + 1, L'\0');
  caption.resize(GetWindowTextW(frame, caption.data(), static_cast<int>(caption.size())));

  // The caption's band, the line through its middle.
  const RECT band{client.left, client.top, client.right, client.top + metrics.tmHeight};
  FillRect(dc, &band, brush);
  RECT text{client.left + metrics.tmAveCharWidth + 2, band.top, band.right, band.bottom};
  if (!caption.empty()) {
    DrawTextW(dc, caption.c_str(), static_cast<int>(caption.size()), &text, kCaptionFormat | DT_CALCRECT);
    // A half character either side, wider than any last glyph's overhang.
    const int room = metrics.tmAveCharWidth / 2;
    ExcludeClipRect(dc, text.left - room, band.top, text.right + room, band.bottom);
  }
  RECT box = client;
  box.top += metrics.tmHeight / 2;
  DrawFrameLine(frame, dc, box);
  RestoreDC(dc, saved);

  if (!caption.empty()) {
    const int again = SaveDC(dc);
    if (auto font = reinterpret_cast<HFONT>(SendMessageW(frame, WM_GETFONT, 0, 0))) SelectObject(dc, font);
    SendMessageW(GetParent(frame), WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
                 reinterpret_cast<LPARAM>(frame));
    SetBkMode(dc, TRANSPARENT);
    DrawTextW(dc, caption.c_str(), static_cast<int>(caption.size()), &text, kCaptionFormat);
    RestoreDC(dc, again);
  }
}

LRESULT FrameProc(HWND frame, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR) {
  switch (message) {
    case WM_PAINT: {
      PAINTSTRUCT paint{};
      if (HDC dc = BeginPaint(frame, &paint)) {
        PaintFrame(frame, dc);
        EndPaint(frame, &paint);
      }
      return 0;
    }
    case WM_PRINTCLIENT:
      PaintFrame(frame, reinterpret_cast<HDC>(wParam));
      return 0;
    case WM_SETTEXT: {
      // The control would paint over the old caption itself, unclipped: all
      // of it is painted again instead, once.
      SendMessageW(frame, WM_SETREDRAW, FALSE, 0);
      const LRESULT result = WindowSubclass::CallPrevious(frame, message, wParam, lParam);
      SendMessageW(frame, WM_SETREDRAW, TRUE, 0);
      InvalidateRect(frame, nullptr, FALSE);
      return result;
    }
    default: return WindowSubclass::CallPrevious(frame, message, wParam, lParam);
  }
}

}  // namespace

WindowSubclass PaintCaptionWhole(HWND frame) { return WindowSubclass(frame, FrameProc, 0, 0); }

}  // namespace platform::win32
