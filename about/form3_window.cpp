// The About window on Win32.
#include "about/form3_window.h"

#include <olectl.h>
#include <shellapi.h>

#include <cstring>
#include <iterator>
#include <utility>

#include "localization/language.h"
#include "platform/twips.h"
#include "platform/win32/dpi.h"
#include "platform/win32/executable_win32.h"
#include "platform/win32/system_library.h"
#include "resources/resource.h"

namespace about {

namespace {

// IPicture's interface id, stated here: the uuid library's would bring every
// OLE control id it holds into the exe with it.
constexpr IID kPictureInterface = {0x7BF80980, 0xBF32, 0x101A, {0x8B, 0xBB, 0x00, 0xAA, 0x00, 0x30, 0x0C, 0xAB}};

using platform::win32::ReleaseComObject;
using platform::win32::UniqueHandle;

// Fixed single frame with the system menu and the close box only. No
// DS_MODALFRAME: its frame would hide the program icon in the title bar.
constexpr DWORD kFrameStyle = WS_CAPTION | WS_SYSMENU;
constexpr std::int32_t kClientWidthTwips = 4050;
constexpr std::int32_t kClientHeightTwips = 3300;

struct ControlLayout {
  int id;
  DWORD style;
  platform::TwipsRect bounds;
};

// Statics without SS_NOTIFY let the mouse through to the window, so a move
// over them is a move over the window; the link takes the mouse itself.
constexpr ControlLayout kControls[] = {
    {IDC_Form3_Label2, SS_CENTER | SS_NOPREFIX, {240, 120, 3495, 375}},
    {IDC_Form3_Image1, SS_OWNERDRAW, {960, 600, 2130, 1695}},
    // The maker line between the picture and the link, 105 twips from each,
    // as wide and as high as the link.
    {IDC_Form3_Label1, SS_CENTER | SS_NOPREFIX, {120, 2400, 3855, 375}},
    {IDC_Form3_Label3, SS_CENTER | SS_NOPREFIX | SS_NOTIFY, {120, 2880, 3855, 375}},
};

constexpr wchar_t kFontFace[] = L"Arial";
constexpr int kVersionFontCentipoints = 1425;
constexpr int kLinkFontCentipoints = 1200;
constexpr int kCentipointsPerInch = 7200;

platform::win32::UniqueFont ArialBold(int centipoints, int dpi, bool underline) {
  return platform::win32::UniqueFont(CreateFontW(
      -MulDiv(centipoints, dpi, kCentipointsPerInch), 0, 0, 0, FW_BOLD, FALSE, underline ? TRUE : FALSE, FALSE,
      localization::kCharsetCyrillic, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
      DEFAULT_PITCH | FF_DONTCARE, kFontFace));
}

struct FreeGlobal {
  void operator()(HGLOBAL memory) const { GlobalFree(memory); }
};

// The decoded picture's own size in pixels (0 x 0 when it is no bitmap).
// The picture hands its bitmap over as a 32-bit OLE_HANDLE: a 64-bit build
// widens it as Windows widens every GDI handle, with its sign.
SIZE PixelSize(IPicture* picture) {
  OLE_HANDLE handle = 0;
  BITMAP bitmap{};
  if (picture == nullptr || FAILED(picture->get_Handle(&handle)) ||
      GetObjectW(LongToHandle(static_cast<LONG>(handle)), sizeof bitmap, &bitmap) == 0) {
    return {};
  }
  return {bitmap.bmWidth, bitmap.bmHeight};
}

// OLE decodes the picture (GDI draws no GIF) and the shell's link wants COM
// on this thread. Its two libraries are loaded when the window opens, not
// with the program: the start and every refresh need neither. Without them
// the window shows no picture.
class OleRuntime {
 public:
  OleRuntime()
      : ole32_(platform::win32::LoadSystemLibrary(L"ole32.dll")),
        oleaut32_(platform::win32::LoadSystemLibrary(L"oleaut32.dll")),
        createStream_(platform::win32::ResolveFunction<decltype(&CreateStreamOnHGlobal)>(ole32_.get(), "CreateStreamOnHGlobal")),
        loadPicture_(platform::win32::ResolveFunction<decltype(&OleLoadPicture)>(oleaut32_.get(), "OleLoadPicture")),
        uninitialize_(platform::win32::ResolveFunction<decltype(&CoUninitialize)>(ole32_.get(), "CoUninitialize")) {
    const auto initialize = platform::win32::ResolveFunction<decltype(&CoInitializeEx)>(ole32_.get(), "CoInitializeEx");
    initialised_ = initialize != nullptr && uninitialize_ != nullptr &&
                   SUCCEEDED(initialize(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE));
  }
  ~OleRuntime() {
    if (initialised_) uninitialize_();
  }
  OleRuntime(const OleRuntime&) = delete;
  OleRuntime& operator=(const OleRuntime&) = delete;

  // The picture, from a stream over a copy of the resource's bytes (the
  // stream frees the copy when it is released); nothing when it fails.
  UniqueHandle<IPicture*, ReleaseComObject> LoadPicture(HINSTANCE instance) const {
    if (createStream_ == nullptr || loadPicture_ == nullptr) return {};
    HRSRC found = FindResourceW(instance, MAKEINTRESOURCEW(IDR_ABOUT_PICTURE), RT_RCDATA);
    const DWORD size = found != nullptr ? SizeofResource(instance, found) : 0;
    const void* bytes = size != 0 ? LockResource(LoadResource(instance, found)) : nullptr;
    if (bytes == nullptr) return {};
    UniqueHandle<HGLOBAL, FreeGlobal> copy(GlobalAlloc(GMEM_MOVEABLE, size));
    void* target = copy ? GlobalLock(copy.get()) : nullptr;
    if (target == nullptr) return {};
    std::memcpy(target, bytes, size);
    GlobalUnlock(copy.get());
    IStream* stream = nullptr;
    if (FAILED(createStream_(copy.get(), TRUE, &stream))) return {};
    copy.release();
    const UniqueHandle<IStream*, ReleaseComObject> streamOwner(stream);
    IPicture* picture = nullptr;
    if (FAILED(loadPicture_(stream, static_cast<LONG>(size), FALSE, kPictureInterface,
                            reinterpret_cast<void**>(&picture)))) {
      return {};
    }
    return UniqueHandle<IPicture*, ReleaseComObject>(picture);
  }

 private:
  platform::win32::UniqueModule ole32_;
  platform::win32::UniqueModule oleaut32_;
  decltype(&CreateStreamOnHGlobal) createStream_;
  decltype(&OleLoadPicture) loadPicture_;
  decltype(&CoUninitialize) uninitialize_;
  bool initialised_ = false;
};

}  // namespace

void ShowForm3(HINSTANCE instance, HWND owner, std::int16_t language,
               const platform::StringTable& strings) {
  // Outlives the window, whose picture it made.
  const OleRuntime ole;
  Form3 form(instance, language, strings, ole.LoadPicture(instance));
  form.ShowModal(owner);
}

Form3::Form3(HINSTANCE instance, std::int16_t language, const platform::StringTable& strings,
             Picture picture)
    : instance_(instance),
      language_(language),
      strings_(strings),
      link_(GetSysColor(COLOR_BTNTEXT)),
      hand_(LoadCursorW(instance, MAKEINTRESOURCEW(IDR_LINK_CURSOR))),
      picture_(std::move(picture)),
      pictureSize_(PixelSize(picture_.get())) {}

void Form3::ShowModal(HWND owner) {
  RunModal(instance_, owner, {kFrameStyle, 0, kClientWidthTwips, kClientHeightTwips});
}

INT_PTR Form3::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG: return OnInitDialog();
    case WM_CTLCOLORSTATIC: return OnCtlColorStatic(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam));
    case WM_DRAWITEM: return OnDrawItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
    case WM_SETCURSOR: return OnSetCursor(reinterpret_cast<HWND>(wParam), HIWORD(lParam));
    case WM_MOUSEMOVE: return OnMouseMoveOverRest();
    case WM_COMMAND: return OnCommand(LOWORD(wParam), HIWORD(wParam));
    case WM_ACTIVATE: return OnActivate(wParam);
    case WM_SETFOCUS: return TRUE;
    case WM_CLOSE: return OnClose();
    case WM_DPICHANGED: return OnDpiChanged(wParam, lParam);
    default: return FALSE;
  }
}

INT_PTR Form3::OnInitDialog() {
  const Form3Texts texts = LoadTexts(platform::win32::ReadExecutableInfo(), strings_, language_);
  if (texts.title) SetWindowTextW(hwnd_, texts.title->c_str());
  icons_.Apply(hwnd_, instance_, dpi_);
  MakeFonts();
  if (!CreateControls()) {
    EndDialog(hwnd_, 0);
    return FALSE;
  }
  if (texts.makerLine) SetDlgItemTextW(hwnd_, IDC_Form3_Label1, texts.makerLine->c_str());
  if (texts.versionLine) SetDlgItemTextW(hwnd_, IDC_Form3_Label2, texts.versionLine->c_str());
  SetDlgItemTextW(hwnd_, IDC_Form3_Label3, kMakerAddress);
  // FALSE: the focus stays with the window; no control takes it.
  return FALSE;
}

bool Form3::CreateControls() {
  for (const ControlLayout& control : kControls) {
    HWND child = CreateWindowExW(0, L"STATIC", L"", WS_CHILD | WS_VISIBLE | control.style, 0, 0, 0, 0,
                                 hwnd_, reinterpret_cast<HMENU>(static_cast<INT_PTR>(control.id)),
                                 instance_, nullptr);
    if (child == nullptr) return false;
  }
  PlaceControls();
  SetFonts(TRUE);
  return true;
}

void Form3::PlaceControls() {
  platform::win32::ControlPlacer placer(hwnd_, dpi_, static_cast<int>(std::size(kControls)));
  for (const ControlLayout& control : kControls) {
    // The picture is shown at its own size, whatever the dots per inch.
    if (control.id == IDC_Form3_Image1 && pictureSize_.cx > 0) {
      placer.Place(control.id, control.bounds, pictureSize_);
    } else {
      placer.Place(control.id, control.bounds);
    }
  }
}

void Form3::MakeFonts() {
  versionFont_ = ArialBold(kVersionFontCentipoints, dpi_, false);
  linkFont_ = ArialBold(kLinkFontCentipoints, dpi_, false);
  litLinkFont_ = ArialBold(kLinkFontCentipoints, dpi_, true);
}

void Form3::SetFonts(BOOL redraw) {
  SendDlgItemMessageW(hwnd_, IDC_Form3_Label2, WM_SETFONT, reinterpret_cast<WPARAM>(versionFont_.get()), redraw);
  SendDlgItemMessageW(hwnd_, IDC_Form3_Label1, WM_SETFONT, reinterpret_cast<WPARAM>(linkFont_.get()), redraw);
  ShowLinkLook(redraw);
}

INT_PTR Form3::OnDpiChanged(WPARAM wParam, LPARAM lParam) {
  platform::win32::ChangeDpi(hwnd_, wParam, lParam, [this](int dpi) {
    dpi_ = dpi;
    PlaceControls();
    // The old fonts go once the controls draw with the new ones.
    platform::win32::UniqueFont versionFont = std::move(versionFont_);
    platform::win32::UniqueFont linkFont = std::move(linkFont_);
    platform::win32::UniqueFont litLinkFont = std::move(litLinkFont_);
    MakeFonts();
    SetFonts(FALSE);
    icons_.Apply(hwnd_, instance_, dpi_);
  });
  return TRUE;
}

INT_PTR Form3::OnCtlColorStatic(HDC dc, HWND control) {
  if (control != GetDlgItem(hwnd_, IDC_Form3_Label3)) return FALSE;
  SetTextColor(dc, link_.look().colour);
  SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
  return reinterpret_cast<INT_PTR>(GetSysColorBrush(COLOR_BTNFACE));
}

INT_PTR Form3::OnDrawItem(const DRAWITEMSTRUCT& item) {
  IPicture* picture = picture_.get();
  if (item.CtlID != IDC_Form3_Image1 || picture == nullptr) return FALSE;
  OLE_XSIZE_HIMETRIC width = 0;
  OLE_YSIZE_HIMETRIC height = 0;
  picture->get_Width(&width);
  picture->get_Height(&height);
  // HIMETRIC runs bottom-up: the source starts at the bottom with a negative height.
  picture->Render(item.hDC, item.rcItem.left, item.rcItem.top, pictureSize_.cx, pictureSize_.cy, 0,
                  height, width, -height, nullptr);
  return TRUE;
}

INT_PTR Form3::OnSetCursor(HWND over, UINT mouseMessage) {
  if (over != GetDlgItem(hwnd_, IDC_Form3_Label3)) return FALSE;
  if (hand_ != nullptr) SetCursor(hand_);
  // The link gets no WM_MOUSEMOVE of its own here; its cursor request, sent
  // on every move over it, stands in for one.
  if (mouseMessage == WM_MOUSEMOVE && link_.MoveOverLink()) ShowLinkLook(TRUE);
  // The result the link's own procedure sees: the cursor is set.
  SetWindowLongPtrW(hwnd_, DWLP_MSGRESULT, TRUE);
  return TRUE;
}

INT_PTR Form3::OnMouseMoveOverRest() {
  if (link_.MoveOverRest()) ShowLinkLook(TRUE);
  return TRUE;
}

INT_PTR Form3::OnCommand(int controlId, int code) {
  // Enter and Esc arrive as IDOK and IDCANCEL and, like every other command
  // but the link's click, do nothing.
  if (controlId == IDC_Form3_Label3 && code == STN_CLICKED) {
    // A failed launch is not reported: the window stays as it is.
    ShellExecuteW(GetDesktopWindow(), L"open", kMakerAddress, nullptr, nullptr, SW_SHOWNORMAL);
  }
  return TRUE;
}

// A dialog's default hands the focus on to its first control whenever the
// dialog is activated or gets the focus; this window keeps it itself.
INT_PTR Form3::OnActivate(WPARAM state) {
  if (LOWORD(state) != WA_INACTIVE) SetFocus(hwnd_);
  return TRUE;
}

// The close box and Alt+F4: the dialog's default would turn them into IDCANCEL.
INT_PTR Form3::OnClose() {
  EndDialog(hwnd_, 0);
  return TRUE;
}

// The font switches the underline and repaints the link, whose colour comes
// from WM_CTLCOLORSTATIC.
void Form3::ShowLinkLook(BOOL redraw) {
  HFONT font = link_.look().underline ? litLinkFont_.get() : linkFont_.get();
  SendDlgItemMessageW(hwnd_, IDC_Form3_Label3, WM_SETFONT, reinterpret_cast<WPARAM>(font), redraw);
}

}  // namespace about
