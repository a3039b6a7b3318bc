// adrelo_probe.dll: loaded into Adrelo Viewer's UI thread by a WH_CALLWNDPROC
// hook that adrelo_driver installs. Menus and fonts are per-process objects
// in Wine, so the menu tree and the controls' LOGFONTs can only be read from
// inside the program, as can the text colour a window gives a control (its
// WM_CTLCOLORSTATIC answer works on a DC of the asker's own) and the cursor
// shown, and the GDI and USER objects the process holds (for the soak case);
// the answers go back to the driver as WM_COPYDATA. It also subclasses the
// main window to log the commands it receives, and can make the program's
// name service answer in another order.
#include <winsock2.h>
#include <windows.h>

#include <commctrl.h>
#include <winternl.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <cwchar>
#include <string>
#include <utility>
#include <vector>

#include "probe_protocol.h"
#include "tests/gdi_objects.h"

namespace {

// Wine 8 calls a WH_CALLWNDPROC hook twice for one message sent within the
// thread (an accelerator's WM_COMMAND shows up twice), so the hook only
// carries the queries; the commands are logged by subclassing the main
// window, which sees each message its procedure gets exactly once.
HWND subclassed;
WNDPROC previousProc;
std::vector<std::wstring> commandLog;

// Commands only, from menus and shortcut keys (lParam 0): a control's
// notification names the control, and the host field sends two on every
// refresh, which would grow the log for as long as the program runs.
LRESULT CALLBACK LoggingProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_COMMAND && lParam == 0) {
    commandLog.push_back(L"command id=" + std::to_wstring(LOWORD(wParam)) +
                         L" code=" + std::to_wstring(HIWORD(wParam)));
  }
  return CallWindowProcW(previousProc, window, message, wParam, lParam);
}

// A new driver session: the log starts afresh. The DLL stays loaded (and
// pinned, as the subclass outlives the hook that brought it in).
void Attach(HWND window) {
  commandLog.clear();
  if (subclassed == window) return;
  HMODULE self = nullptr;
  GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_PIN,
                     reinterpret_cast<LPCWSTR>(&LoggingProc), &self);
  previousProc = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&LoggingProc)));
  subclassed = window;
}

std::wstring Escaped(const std::wstring& text) {
  std::wstring out;
  for (wchar_t c : text) {
    if (c == L'\t') out += L"\\t";
    else if (c == L'\\') out += L"\\\\";
    else if (c == L'\n') out += L"\\n";
    else out += c;
  }
  return out;
}

void DumpMenu(HMENU menu, int depth, std::wstring& out) {
  const int count = GetMenuItemCount(menu);
  for (int i = 0; i < count; ++i) {
    MENUITEMINFOW info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_FTYPE | MIIM_ID | MIIM_STATE | MIIM_SUBMENU | MIIM_STRING;
    GetMenuItemInfoW(menu, i, TRUE, &info);  // first call: length of the caption
    std::wstring caption(info.cch + 1, L'\0');
    info.dwTypeData = caption.data();
    info.cch = static_cast<UINT>(caption.size());
    if (!GetMenuItemInfoW(menu, i, TRUE, &info)) {
      out += std::wstring(depth * 2, L' ') + L"<unreadable item>\n";
      continue;
    }
    caption.resize(info.cch);
    out += std::wstring(depth * 2, L' ');
    if (info.fType & MFT_SEPARATOR) {
      out += L"----";
    } else {
      out += Escaped(caption);
      // A popup's id is not a command (a plain MENU resource stores the
      // submenu handle there), so only items that send one show theirs.
      if (!info.hSubMenu) out += L"  #" + std::to_wstring(info.wID);
    }
    // Wine reports separators as grayed: only items' states say something.
    if (!(info.fType & MFT_SEPARATOR)) {
      if (info.fState & MFS_GRAYED) out += L" [grayed]";
      if (info.fState & MFS_CHECKED) out += L" [checked]";
      if (info.fState & MFS_DEFAULT) out += L" [default]";
    }
    out += L'\n';
    if (info.hSubMenu) DumpMenu(info.hSubMenu, depth + 1, out);
  }
}

std::wstring MenuTree(HWND window) {
  HMENU bar = GetMenu(window);
  if (!bar) return L"<no menu>\n";
  std::wstring out;
  DumpMenu(bar, 0, out);
  return out;
}

std::wstring RectText(RECT rect) {
  return std::to_wstring(rect.left) + L' ' + std::to_wstring(rect.top) + L' ' +
         std::to_wstring(rect.right) + L' ' + std::to_wstring(rect.bottom);
}

struct WindowSearch {
  const wchar_t* className;
  std::vector<HWND> found;
};

BOOL CALLBACK AddIfOfClass(HWND window, LPARAM param) {
  auto& search = *reinterpret_cast<WindowSearch*>(param);
  wchar_t name[64] = {};
  GetClassNameW(window, name, 64);
  if (!lstrcmpiW(name, search.className)) search.found.push_back(window);
  return TRUE;
}

// The windows of this thread with the given class.
std::vector<HWND> ThreadWindows(const wchar_t* className) {
  WindowSearch search{className, {}};
  EnumThreadWindows(GetCurrentThreadId(), AddIfOfClass, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

std::wstring TrayImage(HWND tray, const RECT& rect);

// Explorer gives each notification icon a tooltip whose tool is the icon's
// rectangle in the tray window; a removed icon's tool stays, with an empty
// rectangle. Each line: the rectangle on the screen, the image (compared
// only when withImages, else "0 0"), the tip.
std::wstring TrayIcons(HWND tray, bool withImages) {
  std::wstring out;
  for (HWND tooltip : ThreadWindows(TOOLTIPS_CLASSW)) {
    const auto count = static_cast<int>(SendMessageW(tooltip, TTM_GETTOOLCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
      wchar_t text[256] = {};
      TTTOOLINFOW tool{};
      tool.cbSize = sizeof(tool);
      tool.lpszText = text;
      if (!SendMessageW(tooltip, TTM_ENUMTOOLSW, i, reinterpret_cast<LPARAM>(&tool)) ||
          tool.hwnd != tray || IsRectEmpty(&tool.rect))
        continue;
      tool.lpszText = text;
      SendMessageW(tooltip, TTM_GETTEXTW, 256, reinterpret_cast<LPARAM>(&tool));
      RECT rect = tool.rect;
      MapWindowPoints(tray, nullptr, reinterpret_cast<POINT*>(&rect), 2);
      const std::wstring image = withImages ? TrayImage(tray, tool.rect) : L"0 0";
      out += RectText(rect) + L' ' + image + L' ' + Escaped(text) + L'\n';
    }
  }
  return out;
}

std::wstring OpenPopup() {
  for (HWND window : ThreadWindows(L"#32768")) {
    if (!IsWindowVisible(window)) continue;
    auto menu = reinterpret_cast<HMENU>(SendMessageW(window, MN_GETHMENU, 0, 0));
    if (!menu) continue;
    std::wstring out;
    DumpMenu(menu, 0, out);
    RECT frame{};
    GetWindowRect(window, &frame);
    out += L"@menu " + RectText(frame) + L'\n';
    for (int i = 0; i < GetMenuItemCount(menu); ++i) {
      RECT rect{};
      if (GetMenuItemRect(nullptr, menu, i, &rect))
        out += L'@' + std::to_wstring(GetMenuItemID(menu, i)) + L' ' + RectText(rect) + L'\n';
    }
    return out;
  }
  return {};
}

// System icons are loaded per process: compared here, inside the program.
std::wstring MessageBoxIcon() {
  for (HWND box : ThreadWindows(L"#32770")) {
    if (!IsWindowVisible(box)) continue;
    HWND icon = GetDlgItem(box, 1088);  // the message box's icon static
    if (!icon) return L"none";
    const auto shown = reinterpret_cast<HICON>(SendMessageW(icon, STM_GETICON, 0, 0));
    return shown == LoadIconW(nullptr, IDI_ERROR) ? L"error" : L"other";
  }
  return L"none";
}

BOOL CALLBACK AddFont(HWND child, LPARAM param) {
  auto& out = *reinterpret_cast<std::wstring*>(param);
  const int id = GetDlgCtrlID(child);
  const auto font = reinterpret_cast<HFONT>(SendMessageW(child, WM_GETFONT, 0, 0));
  out += L"font." + adrelo_probe::ControlName(id) + L'=';
  LOGFONTW log{};
  if (!font) {
    out += L"<system font>\n";
  } else if (GetObjectW(font, sizeof log, &log) != sizeof log) {
    out += L"<unreadable>\n";
  } else {
    out += std::wstring(log.lfFaceName) + L' ' + std::to_wstring(log.lfHeight) + L' ' +
           std::to_wstring(log.lfWeight) + L' ' + std::to_wstring(log.lfCharSet) +
           (log.lfItalic ? L" italic" : L"") + (log.lfUnderline ? L" underline" : L"") + L'\n';
  }
  return TRUE;
}

std::wstring Fonts(HWND window) {
  std::wstring out;
  EnumChildWindows(window, AddFont, reinterpret_cast<LPARAM>(&out));
  return out;
}

// The colour a control's text is drawn in: what its parent's
// WM_CTLCOLORSTATIC answer leaves in a DC of our own.
BOOL CALLBACK AddColour(HWND child, LPARAM param) {
  auto& out = *reinterpret_cast<std::wstring*>(param);
  HDC dc = CreateCompatibleDC(nullptr);
  SendMessageW(GetParent(child), WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
               reinterpret_cast<LPARAM>(child));
  wchar_t colour[16];
  swprintf(colour, 16, L"0x%08lx", static_cast<unsigned long>(GetTextColor(dc)));
  DeleteDC(dc);
  out += L"colour." + adrelo_probe::ControlName(GetDlgCtrlID(child)) + L'=' + colour + L'\n';
  return TRUE;
}

// The cursor this thread shows: cursors too are per-process objects.
std::wstring CursorLine() {
  ICONINFO info{};
  if (!GetIconInfo(GetCursor(), &info)) return L"cursor=<none>\n";
  BITMAP mask{};
  GetObjectW(info.hbmMask, sizeof mask, &mask);
  const bool mono = info.hbmColor == nullptr;
  DeleteObject(info.hbmMask);
  if (info.hbmColor) DeleteObject(info.hbmColor);
  return L"cursor=" + std::to_wstring(info.xHotspot) + L' ' + std::to_wstring(info.yHotspot) + L' ' +
         std::to_wstring(mask.bmWidth) + (mono ? L" 1\n" : L" 0\n");
}

// Whether a caption is painted whole: the width of its ink (pixels far from
// the band's background) in the control's first line of text, against the
// width of the same text drawn unclipped in the same font. A glyph clipped
// at either end shows as a painted width short of the drawn one. Group boxes
// and one-line static texts are measured.
bool HasOneLineCaption(HWND child, const std::wstring& text, SIZE extent) {
  wchar_t className[16]{};
  GetClassNameW(child, className, 16);
  const LONG style = GetWindowLongW(child, GWL_STYLE);
  RECT client{};
  GetClientRect(child, &client);
  if (text.empty() || extent.cx > client.right) return false;
  if (lstrcmpiW(className, L"Button") == 0) return (style & BS_TYPEMASK) == BS_GROUPBOX;
  return lstrcmpiW(className, L"Static") == 0 && (style & SS_TYPEMASK) <= SS_RIGHT;
}

// The ink's width in a copy of size pixels of dc; the background is the
// colour of the copy's top right corner.
int InkWidth(HDC dc, SIZE size) {
  HDC copy = CreateCompatibleDC(dc);
  HBITMAP pixels = CreateCompatibleBitmap(dc, size.cx, size.cy);
  HGDIOBJ previous = SelectObject(copy, pixels);
  BitBlt(copy, 0, 0, size.cx, size.cy, dc, 0, 0, SRCCOPY);
  const auto lightness = [&](int x, int y) {
    const COLORREF colour = GetPixel(copy, x, y);
    return (GetRValue(colour) * 299 + GetGValue(colour) * 587 + GetBValue(colour) * 114) / 1000;
  };
  constexpr int kInkContrast = 120;  // text, not a frame's grey line
  const int background = lightness(size.cx - 1, 0);
  int left = size.cx, right = -1;
  for (int y = 0; y < size.cy; ++y)
    for (int x = 0; x < size.cx; ++x)
      if (std::abs(lightness(x, y) - background) > kInkContrast) {
        left = std::min(left, x);
        right = std::max(right, x);
      }
  SelectObject(copy, previous);
  DeleteObject(pixels);
  DeleteDC(copy);
  return right < left ? 0 : right - left + 1;
}

int DrawnInkWidth(HFONT font, const std::wstring& text, SIZE extent) {
  HDC screen = GetDC(nullptr);
  HDC canvas = CreateCompatibleDC(screen);
  const SIZE size{extent.cx * 2, extent.cy};
  HBITMAP pixels = CreateCompatibleBitmap(screen, size.cx, size.cy);
  HGDIOBJ previousBitmap = SelectObject(canvas, pixels);
  HGDIOBJ previousFont = SelectObject(canvas, font);
  const RECT all{0, 0, size.cx, size.cy};
  FillRect(canvas, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
  TextOutW(canvas, extent.cy, 0, text.c_str(), static_cast<int>(text.size()));
  const int width = InkWidth(canvas, size);
  SelectObject(canvas, previousFont);
  SelectObject(canvas, previousBitmap);
  DeleteObject(pixels);
  DeleteDC(canvas);
  ReleaseDC(nullptr, screen);
  return width;
}

BOOL CALLBACK AddCaptionInk(HWND child, LPARAM param) {
  auto& out = *reinterpret_cast<std::wstring*>(param);
  std::wstring text(GetWindowTextLengthW(child) + 1, L'\0');
  text.resize(GetWindowTextW(child, text.data(), static_cast<int>(text.size())));
  std::erase(text, L'&');
  const auto font = reinterpret_cast<HFONT>(SendMessageW(child, WM_GETFONT, 0, 0));
  HDC dc = GetDC(child);
  HGDIOBJ previous = SelectObject(dc, font);
  SIZE extent{};
  GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &extent);
  SelectObject(dc, previous);
  if (HasOneLineCaption(child, text, extent)) {
    RECT client{};
    GetClientRect(child, &client);
    out += L"caption." + adrelo_probe::ControlName(GetDlgCtrlID(child)) + L'=' +
           std::to_wstring(InkWidth(dc, {client.right, std::min<LONG>(extent.cy, client.bottom)})) + L' ' +
           std::to_wstring(DrawnInkWidth(font, text, extent)) + L'\n';
  }
  ReleaseDC(child, dc);
  return TRUE;
}

// An icon's pixels, colour and mask, as 32-bit rows top down.
std::vector<DWORD> IconPixels(HICON icon, int& side) {
  ICONINFO info{};
  if (!GetIconInfo(icon, &info)) return {};
  BITMAP bitmap{};
  GetObjectW(info.hbmColor ? info.hbmColor : info.hbmMask, sizeof bitmap, &bitmap);
  side = bitmap.bmWidth;
  BITMAPINFO format{};
  format.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  format.bmiHeader.biWidth = bitmap.bmWidth;
  format.bmiHeader.biHeight = -bitmap.bmHeight;  // top down
  format.bmiHeader.biPlanes = 1;
  format.bmiHeader.biBitCount = 32;
  std::vector<DWORD> pixels(2 * static_cast<std::size_t>(bitmap.bmWidth) * bitmap.bmHeight);
  HDC screen = GetDC(nullptr);
  if (info.hbmColor) GetDIBits(screen, info.hbmColor, 0, bitmap.bmHeight, pixels.data(), &format, DIB_RGB_COLORS);
  GetDIBits(screen, info.hbmMask, 0, bitmap.bmHeight, pixels.data() + pixels.size() / 2, &format, DIB_RGB_COLORS);
  ReleaseDC(nullptr, screen);
  if (info.hbmColor) DeleteObject(info.hbmColor);
  DeleteObject(info.hbmMask);
  return pixels;
}

// The program's image drawn for exactly side × side, from the resources of
// program, or nullptr when its icon has none of that size (a reference made
// from another would be a stretch too).
HICON ReferenceIcon(HMODULE program, int side) {
  HRSRC group = FindResourceW(program, MAKEINTRESOURCEW(IDI_ADRELO), RT_GROUP_ICON);
  auto* directory = group ? static_cast<BYTE*>(LockResource(LoadResource(program, group))) : nullptr;
  if (!directory || side <= 0) return nullptr;
  const int id = LookupIconIdFromDirectoryEx(directory, TRUE, side, side, LR_DEFAULTCOLOR);
  // The group's entries (14 bytes each after its 6-byte header).
  const WORD count = *reinterpret_cast<const WORD*>(directory + 4);
  int drawnFor = 0;
  for (WORD i = 0; i < count; ++i) {
    const BYTE* entry = directory + 6 + 14 * i;
    if (*reinterpret_cast<const WORD*>(entry + 12) == id) drawnFor = entry[0] == 0 ? 256 : entry[0];
  }
  HRSRC image = drawnFor == side ? FindResourceW(program, MAKEINTRESOURCEW(id), RT_ICON) : nullptr;
  return image ? CreateIconFromResourceEx(static_cast<BYTE*>(LockResource(LoadResource(program, image))),
                                          SizeofResource(program, image), TRUE, 0x00030000, side, side,
                                          LR_DEFAULTCOLOR)
               : nullptr;
}

// icon.small|big=<side> <1 when its pixels are those of the program's image
// of that side, made from the resource at its own size, else 0>. The icon is
// the window's own, else its class's, as the taskbar finds it.
std::wstring WindowIconLines(HWND window) {
  std::wstring out;
  for (const auto& [which, name] : {std::pair{ICON_SMALL, L"small"}, std::pair{ICON_BIG, L"big"}}) {
    auto icon = reinterpret_cast<HICON>(SendMessageW(window, WM_GETICON, which, 0));
    if (icon == nullptr)
      icon = reinterpret_cast<HICON>(GetClassLongPtrW(window, which == ICON_SMALL ? GCLP_HICONSM : GCLP_HICON));
    int side = 0, referenceSide = 0;
    const std::vector<DWORD> pixels = icon ? IconPixels(icon, side) : std::vector<DWORD>{};
    bool same = false;
    if (HICON reference = ReferenceIcon(GetModuleHandleW(nullptr), side)) {
      same = IconPixels(reference, referenceSide) == pixels && referenceSide == side;
      DestroyIcon(reference);
    }
    out += L"icon." + std::wstring(name) + L'=' + std::to_wstring(side) + (same ? L" 1\n" : L" 0\n");
  }
  return out;
}

// A square of a window's pixels, 32-bit rows top down, alpha cleared.
std::vector<DWORD> WindowPixels(HDC source, int left, int top, int side) {
  HDC canvas = CreateCompatibleDC(source);
  BITMAPINFO format{};
  format.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  format.bmiHeader.biWidth = side;
  format.bmiHeader.biHeight = -side;  // top down
  format.bmiHeader.biPlanes = 1;
  format.bmiHeader.biBitCount = 32;
  void* bits = nullptr;
  HBITMAP bitmap = CreateDIBSection(canvas, &format, DIB_RGB_COLORS, &bits, nullptr, 0);
  HGDIOBJ previous = SelectObject(canvas, bitmap);
  BitBlt(canvas, 0, 0, side, side, source, left, top, SRCCOPY);
  GdiFlush();
  std::vector<DWORD> pixels(static_cast<const DWORD*>(bits), static_cast<const DWORD*>(bits) + side * side);
  for (DWORD& pixel : pixels) pixel &= 0x00FFFFFF;
  SelectObject(canvas, previous);
  DeleteObject(bitmap);
  DeleteDC(canvas);
  return pixels;
}

// <side> <1|0>: what the notification area shows of the program's icon at
// rect (the tray's client coordinates), compared with the program's own image
// of the side the tray draws at, drawn over the tray's background. A stretch
// of an image of another size differs at its every edge.
std::wstring TrayImage(HWND tray, const RECT& rect) {
  const int side = GetSystemMetrics(SM_CXSMICON);
  const int left = rect.left + (rect.right - rect.left - side) / 2;
  const int top = rect.top + (rect.bottom - rect.top - side) / 2;
  DWORD process = 0;
  GetWindowThreadProcessId(FindWindowW(adrelo_probe::kMainClass, nullptr), &process);
  wchar_t path[MAX_PATH] = {};
  DWORD length = MAX_PATH;
  HANDLE handle = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, process);
  const bool named = handle && QueryFullProcessImageNameW(handle, 0, path, &length);
  if (handle) CloseHandle(handle);
  HMODULE program = named ? LoadLibraryExW(path, nullptr, LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE) : nullptr;
  HICON reference = program ? ReferenceIcon(program, side) : nullptr;
  bool same = false;
  if (reference) {
    HDC dc = GetDC(tray);
    const std::vector<DWORD> shown = WindowPixels(dc, left, top, side);
    // The reference over the background the tray paints beside the icon.
    HDC canvas = CreateCompatibleDC(dc);
    HBITMAP bitmap = CreateCompatibleBitmap(dc, side, side);
    HGDIOBJ previous = SelectObject(canvas, bitmap);
    HBRUSH background = CreateSolidBrush(GetPixel(dc, rect.left, rect.top));
    const RECT all{0, 0, side, side};
    FillRect(canvas, &all, background);
    DeleteObject(background);
    DrawIconEx(canvas, 0, 0, reference, side, side, 0, nullptr, DI_NORMAL);
    same = WindowPixels(canvas, 0, 0, side) == shown;
    SelectObject(canvas, previous);
    DeleteObject(bitmap);
    DeleteDC(canvas);
    ReleaseDC(tray, dc);
    DestroyIcon(reference);
  }
  if (program) FreeLibrary(program);
  return std::to_wstring(side) + (same ? L" 1" : L" 0");
}

std::wstring Looks(HWND window) {
  std::wstring out = WindowIconLines(window);
  EnumChildWindows(window, AddColour, reinterpret_cast<LPARAM>(&out));
  RedrawWindow(window, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
  EnumChildWindows(window, AddCaptionInk, reinterpret_cast<LPARAM>(&out));
  return out + CursorLine();
}

// ---- What the process holds -------------------------------------------------
// Wine's GetGuiResources is a stub that answers 0, so the objects are counted
// where Wine keeps them (tests/gdi_objects.h for GDI).

// USER: menus, icons and cursors, and accelerator tables live in Wine's
// per-process table of user handles, which takes a handle's index without its
// generation (high word 0), so every index is asked once what it holds.
// Windows are counted by enumeration instead (asking Wine about an index that
// is not the process's own costs a server call): every top-level and
// message-only window of the process, and all their descendants.
constexpr UINT kFirstUserHandle = 0x0020;
constexpr UINT kLastUserHandle = 0xFFEF;  // user handles' low words, two apart

BOOL CALLBACK CountDescendant(HWND, LPARAM param) {
  ++*reinterpret_cast<int*>(param);
  return TRUE;
}

BOOL CALLBACK CountIfOwn(HWND window, LPARAM param) {
  DWORD process = 0;
  GetWindowThreadProcessId(window, &process);
  if (process != GetCurrentProcessId()) return TRUE;
  ++*reinterpret_cast<int*>(param);
  EnumChildWindows(window, CountDescendant, param);
  return TRUE;
}

std::wstring Resources() {
  int windows = 0, menus = 0, icons = 0, accelerators = 0;
  EnumWindows(CountIfOwn, reinterpret_cast<LPARAM>(&windows));
  for (HWND window = FindWindowExW(HWND_MESSAGE, nullptr, nullptr, nullptr); window;
       window = FindWindowExW(HWND_MESSAGE, window, nullptr, nullptr))
    CountIfOwn(window, reinterpret_cast<LPARAM>(&windows));
  const int gdi = adrelo_testing::GdiObjects();  // before the icons' bitmaps come and go below
  for (UINT low = kFirstUserHandle; low <= kLastUserHandle; low += 2) {
    const HANDLE handle = ULongToHandle(low);
    ICONINFO icon{};
    if (IsMenu(static_cast<HMENU>(handle))) {
      ++menus;
    } else if (CopyAcceleratorTableW(static_cast<HACCEL>(handle), nullptr, 0) > 0) {
      ++accelerators;
    } else if (GetIconInfo(static_cast<HICON>(handle), &icon)) {
      ++icons;
      DeleteObject(icon.hbmMask);
      if (icon.hbmColor) DeleteObject(icon.hbmColor);
    }
  }
  return L"res.gdi=" + std::to_wstring(gdi) + L"\nres.gdi.kinds=" +
         adrelo_testing::GdiObjectKinds() + L"\nres.user=" +
         std::to_wstring(windows + menus + icons + accelerators) + L"\nres.user.windows=" +
         std::to_wstring(windows) + L"\nres.user.menus=" + std::to_wstring(menus) +
         L"\nres.user.icons=" + std::to_wstring(icons) + L"\nres.user.accelerators=" +
         std::to_wstring(accelerators) + L'\n';
}

// Wine keeps each window DC it has handed out, for the next GetDC or
// BeginPaint, and makes a new one whenever none is free for the window that
// asks, until its cache is full; how many that leaves in it depends on which
// windows asked and how many were held at once. N DCs of N windows held at
// once, then let go, leave it as full as N makes it.
std::wstring FillDcCache(unsigned count) {
  std::vector<std::pair<HWND, HDC>> held;
  for (unsigned i = 0; i < count; ++i) {
    HWND window = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr,
                                  nullptr, nullptr);
    if (window) held.emplace_back(window, GetDC(window));
  }
  for (const auto& [window, dc] : held) {
    ReleaseDC(window, dc);
    DestroyWindow(window);
  }
  return held.size() == count ? L"ok" : L"only " + std::to_wstring(held.size()) + L" windows";
}

// In one go, inside the program's thread: a refresh tick, which clears the
// selection, comes from the timer only when no posted message waits, so the
// list's menu opens before any tick.
std::wstring RightClickList(HWND main) {
  HWND list = GetDlgItem(main, IDC_List1);
  SendMessageW(list, LB_SETCURSEL, 0, 0);
  PostMessageW(list, WM_RBUTTONUP, 0, MAKELPARAM(1, 1));
  return L"ok";
}

std::wstring Commands() {
  std::wstring out;
  for (const auto& line : commandLog) out += line + L'\n';
  return out;
}

void Answer(HWND driver, WPARAM kind, const std::wstring& text) {
  COPYDATASTRUCT data{};
  data.dwData = kind;
  data.cbData = static_cast<DWORD>(text.size() * sizeof(wchar_t));
  data.lpData = const_cast<wchar_t*>(text.data());
  // Sent, not posted: the driver is blocked in its own SendMessage to us and
  // takes incoming sent messages while it waits.
  SendMessageTimeoutW(driver, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&data), SMTO_BLOCK, 5000,
                      nullptr);
}

// ---- DPI changes, measured without the hook ----------------------------------
// Every message a hooked thread sends itself goes through Wine's hook chain,
// some 0.1 ms each, and a DPI change sends hundreds: measured under the hook,
// that would be most of what is measured. So the query only makes a
// message-only window of the probe's own in the program's thread and answers
// its handle; the driver takes its hook away, then sends that window
// kRunDpiChanges, and the window answers the measurements and goes.

constexpr int kDpiChanges = 100;
constexpr wchar_t kRunnerClass[] = L"AdreloE2EProbeDpiRunner";

struct DpiRun {
  HWND window;
  int to;
};
DpiRun dpiRun;

// As Windows would when the window moves to a monitor of another DPI, had
// the frame the same size there (Wine has one DPI for every monitor).
void SendDpiChange(HWND window, int from, int to) {
  RECT frame{};
  RECT client{};
  GetWindowRect(window, &frame);
  GetClientRect(window, &client);
  RECT suggested{0, 0, MulDiv(client.right, to, from), MulDiv(client.bottom, to, from)};
  AdjustWindowRectEx(&suggested, static_cast<DWORD>(GetWindowLongW(window, GWL_STYLE)),
                     GetMenu(window) != nullptr, static_cast<DWORD>(GetWindowLongW(window, GWL_EXSTYLE)));
  OffsetRect(&suggested, frame.left - suggested.left, frame.top - suggested.top);
  SendMessageW(window, WM_DPICHANGED, MAKEWPARAM(to, to), reinterpret_cast<LPARAM>(&suggested));
}

// What one window and its controls draw: WM_PAINT and WM_ERASEBKGND, each
// window's own count.
struct DrawingCounts {
  std::vector<HWND> windows;
  std::vector<int> paints, erases;
};

LRESULT CALLBACK CountDrawing(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR index,
                              DWORD_PTR data) {
  auto& counts = *reinterpret_cast<DrawingCounts*>(data);
  if (message == WM_PAINT) ++counts.paints[index];
  if (message == WM_ERASEBKGND) ++counts.erases[index];
  return DefSubclassProc(window, message, wParam, lParam);
}

// One change more, watched: what is drawn while it is handled (nothing, if
// the window draws only once its layout is complete), and how many of the
// windows the next update paints exactly once.
std::wstring WatchedChange(HWND window, int from, int to) {
  DrawingCounts counts;
  counts.windows.push_back(window);
  for (HWND child = GetWindow(window, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
    counts.windows.push_back(child);
  counts.paints.assign(counts.windows.size(), 0);
  counts.erases.assign(counts.windows.size(), 0);
  for (size_t i = 0; i < counts.windows.size(); ++i)
    SetWindowSubclass(counts.windows[i], CountDrawing, i, reinterpret_cast<DWORD_PTR>(&counts));
  SendDpiChange(window, from, to);
  int drawnDuring = 0;
  for (size_t i = 0; i < counts.windows.size(); ++i) drawnDuring += counts.paints[i] + counts.erases[i];
  counts.paints.assign(counts.windows.size(), 0);
  RedrawWindow(window, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
  int paintedOnce = 0;
  for (size_t i = 0; i < counts.windows.size(); ++i) {
    if (counts.paints[i] == 1) ++paintedOnce;
    RemoveWindowSubclass(counts.windows[i], CountDrawing, i);
  }
  return L"dpi.drawn_during_change=" + std::to_wstring(drawnDuring) + L"\ndpi.windows=" +
         std::to_wstring(counts.windows.size()) + L"\ndpi.painted_once=" + std::to_wstring(paintedOnce) + L'\n';
}

// kDpiChanges changes, to the DPI and back, each painted before the next as
// a user would see it, timed apart: the change itself and its painting.
std::wstring DpiChanges(HWND window, int to) {
  // Every window starts at the system's DPI.
  HDC screen = GetDC(nullptr);
  const int from = GetDeviceCaps(screen, LOGPIXELSX);
  ReleaseDC(nullptr, screen);
  const int before = adrelo_testing::GdiObjects();
  LARGE_INTEGER frequency{}, started{}, changed{}, painted{};
  QueryPerformanceFrequency(&frequency);
  long long changing = 0, painting = 0;
  for (int change = 0; change < kDpiChanges; ++change) {
    QueryPerformanceCounter(&started);
    if (change % 2 == 0) SendDpiChange(window, from, to);
    else SendDpiChange(window, to, from);
    QueryPerformanceCounter(&changed);
    RedrawWindow(window, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
    QueryPerformanceCounter(&painted);
    changing += changed.QuadPart - started.QuadPart;
    painting += painted.QuadPart - changed.QuadPart;
  }
  const int after = adrelo_testing::GdiObjects();
  const auto meanMicroseconds = [&](long long ticks) {
    return std::to_wstring(ticks * 1000000 / frequency.QuadPart / kDpiChanges);
  };
  return L"dpi.from=" + std::to_wstring(from) + L"\ndpi.gdi.before=" + std::to_wstring(before) +
         L"\ndpi.gdi.after=" + std::to_wstring(after) + L"\ndpi.change_us=" + meanMicroseconds(changing) +
         L"\ndpi.paint_us=" + meanMicroseconds(painting) + L'\n' + WatchedChange(window, from, to);
}

LRESULT CALLBACK DpiRunnerProc(HWND runner, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message != adrelo_probe::kRunDpiChanges) return DefWindowProcW(runner, message, wParam, lParam);
  Answer(reinterpret_cast<HWND>(wParam), adrelo_probe::kRunDpiChanges, DpiChanges(dpiRun.window, dpiRun.to));
  DestroyWindow(runner);
  return 0;
}

// The runner, for the driver to send kRunDpiChanges to once it has unhooked.
std::wstring MakeDpiRunner(HWND window, int to) {
  dpiRun = {window, to};
  HMODULE self = nullptr;
  GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_PIN,
                     reinterpret_cast<LPCWSTR>(&DpiRunnerProc), &self);
  WNDCLASSW runnerClass{};
  runnerClass.lpfnWndProc = DpiRunnerProc;
  runnerClass.hInstance = self;
  runnerClass.lpszClassName = kRunnerClass;
  RegisterClassW(&runnerClass);
  HWND runner = CreateWindowW(kRunnerClass, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, self, nullptr);
  return std::to_wstring(reinterpret_cast<UINT_PTR>(runner));
}

// ---- the name service as Windows answers ------------------------------------
// Wine answers the computer's own name with the default route's adapter
// first; Windows in an order of its own, often a virtual switch's first. The
// program's import of gethostbyname is pointed at a wrapper that reverses
// the answer, and the probe stays loaded for as long as the program runs,
// since the import then leads into it.
using GetHostByNameFunction = hostent*(WINAPI*)(const char*);
GetHostByNameFunction realGetHostByName;

hostent* WINAPI ReversedGetHostByName(const char* name) {
  hostent* entry = realGetHostByName(name);
  if (entry != nullptr) {
    char** end = entry->h_addr_list;
    while (*end != nullptr) ++end;
    std::reverse(entry->h_addr_list, end);
  }
  return entry;
}

std::wstring ReverseLookups() {
  const HMODULE sockets = GetModuleHandleW(L"ws2_32.dll");
  const FARPROC real = sockets != nullptr ? GetProcAddress(sockets, "gethostbyname") : nullptr;
  auto* base = reinterpret_cast<BYTE*>(GetModuleHandleW(nullptr));
  const auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS*>(
      base + reinterpret_cast<const IMAGE_DOS_HEADER*>(base)->e_lfanew);
  const IMAGE_DATA_DIRECTORY& imports = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
  for (auto* dll = reinterpret_cast<const IMAGE_IMPORT_DESCRIPTOR*>(base + imports.VirtualAddress);
       real != nullptr && imports.VirtualAddress != 0 && dll->Name != 0; ++dll) {
    for (auto* slot = reinterpret_cast<IMAGE_THUNK_DATA*>(base + dll->FirstThunk); slot->u1.Function != 0;
         ++slot) {
      if (slot->u1.Function != reinterpret_cast<ULONG_PTR>(real)) continue;
      HMODULE self = nullptr;
      GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_PIN,
                         reinterpret_cast<LPCWSTR>(&ReversedGetHostByName), &self);
      realGetHostByName = reinterpret_cast<GetHostByNameFunction>(reinterpret_cast<void*>(real));
      DWORD protection = 0;
      VirtualProtect(&slot->u1.Function, sizeof slot->u1.Function, PAGE_READWRITE, &protection);
      slot->u1.Function = reinterpret_cast<ULONG_PTR>(&ReversedGetHostByName);
      VirtualProtect(&slot->u1.Function, sizeof slot->u1.Function, protection, &protection);
      return L"ok";
    }
  }
  return L"no import";
}

}  // namespace

extern "C" __declspec(dllexport) LRESULT CALLBACK AdreloProbeHook(int code, WPARAM wParam,
                                                                   LPARAM lParam) {
  if (code == HC_ACTION) {
    const auto* sent = reinterpret_cast<const CWPSTRUCT*>(lParam);
    static const UINT query = RegisterWindowMessageW(adrelo_probe::kQueryMessage);
    if (sent->message == query) {
      const auto driver = reinterpret_cast<HWND>(sent->wParam);
      switch (sent->lParam & adrelo_probe::kQueryKindMask) {
        case adrelo_probe::kAttach:
          Attach(sent->hwnd);
          Answer(driver, adrelo_probe::kAttach, L"ok");
          break;
        case adrelo_probe::kMenu: Answer(driver, adrelo_probe::kMenu, MenuTree(sent->hwnd)); break;
        case adrelo_probe::kFonts: Answer(driver, adrelo_probe::kFonts, Fonts(sent->hwnd)); break;
        case adrelo_probe::kCommands: Answer(driver, adrelo_probe::kCommands, Commands()); break;
        case adrelo_probe::kTray: Answer(driver, adrelo_probe::kTray,
                 TrayIcons(sent->hwnd, (sent->lParam >> adrelo_probe::kQueryParameterShift) != 0));
          break;
        case adrelo_probe::kPopup: Answer(driver, adrelo_probe::kPopup, OpenPopup()); break;
        case adrelo_probe::kBoxIcon: Answer(driver, adrelo_probe::kBoxIcon, MessageBoxIcon()); break;
        case adrelo_probe::kLooks: Answer(driver, adrelo_probe::kLooks, Looks(sent->hwnd)); break;
        case adrelo_probe::kResources: Answer(driver, adrelo_probe::kResources, Resources()); break;
        case adrelo_probe::kListMenu:
          Answer(driver, adrelo_probe::kListMenu, RightClickList(sent->hwnd));
          break;
        case adrelo_probe::kDpiChange:
          Answer(driver, adrelo_probe::kDpiChange,
                 MakeDpiRunner(sent->hwnd, static_cast<int>(sent->lParam >> adrelo_probe::kQueryParameterShift)));
          break;
        case adrelo_probe::kReverseLookups:
          Answer(driver, adrelo_probe::kReverseLookups, ReverseLookups());
          break;
        case adrelo_probe::kFillDcCache:
          Answer(driver, adrelo_probe::kFillDcCache,
                 FillDcCache(static_cast<unsigned>(sent->lParam >> adrelo_probe::kQueryParameterShift)));
          break;
        default: break;
      }
    }
  }
  return CallNextHookEx(nullptr, code, wParam, lParam);
}
