// The settings dialog on Win32.
#include "settings/form2_window.h"

#include <windowsx.h>

#include <iterator>

#include "platform/twips.h"
#include "platform/win32/dpi.h"
#include "platform/win32/frame_caption.h"
#include "resources/resource.h"

namespace settings {

namespace {

// A fixed frame with a close box: no sizing border, no minimise or maximise
// box. No DS_MODALFRAME, which would take the icon off the title bar.
constexpr DWORD kFrameStyle = WS_CAPTION | WS_SYSMENU;

constexpr int kPointsPerInch = 72;

constexpr wchar_t kFontFace[] = L"Arial";
constexpr int kFramePoints = 9;    // frames and check boxes
constexpr int kButtonPoints = 12;  // the four buttons, bold

// Each frame's options form one group, so that a click or an arrow key
// selects within it alone; the group ends at the next control with WS_GROUP.
DWORD StyleOf(const Form2ControlLayout& control, bool firstOfGroup) {
  const DWORD group = firstOfGroup ? WS_GROUP : 0;
  switch (control.kind) {
    case Form2ControlKind::Button: return WS_TABSTOP | BS_PUSHBUTTON | group;
    // An option takes WS_TABSTOP while it is the selected one (BM_SETCHECK
    // moves it), so Tab enters each frame at its selection.
    case Form2ControlKind::Option: return BS_AUTORADIOBUTTON | BS_MULTILINE | group;
    case Form2ControlKind::Check: return WS_TABSTOP | BS_AUTOCHECKBOX | BS_MULTILINE | WS_GROUP;
    // Drawn beneath its options (created after them) and never over them.
    case Form2ControlKind::Frame: return BS_GROUPBOX | WS_CLIPSIBLINGS | WS_GROUP;
  }
  return 0;
}

}  // namespace

void ShowForm2(HINSTANCE instance, HWND owner, const Form2Services& services) {
  Form2Window window(instance, services);
  window.ShowModal(owner);
}

void Form2Window::ShowModal(HWND owner) {
  // A dialog that cannot be created leaves the settings as they are.
  RunModal(instance_, owner, {kFrameStyle, 0, kForm2ClientWidthTwips, kForm2ClientHeightTwips});
}

INT_PTR Form2Window::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG: return OnInitDialog();
    case WM_COMMAND: return OnCommand(LOWORD(wParam), HIWORD(wParam));
    case WM_CLOSE: return OnClose();
    case WM_DPICHANGED: return OnDpiChanged(wParam, lParam);
    default: return FALSE;
  }
}

INT_PTR Form2Window::OnInitDialog() {
  // Windows makes a dialog's standard font for the DPI it opens at.
  standardFontDpi_ = dpi_;
  messages_.SetOwner(hwnd_);
  icons_.Apply(hwnd_, instance_, dpi_);
  if (!CreateControls()) {
    EndDialog(hwnd_, 0);
    return FALSE;
  }
  form2_.Load();
  // The dialog's own way of focusing: a plain SetFocus skips the dialog
  // manager's default-button bookkeeping, and Enter on Ok would do nothing.
  SendMessageW(hwnd_, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(Control(IDC_Command1)), TRUE);
  return FALSE;  // the focus is set
}

INT_PTR Form2Window::OnCommand(int controlId, int code) {
  if (code != BN_CLICKED) return FALSE;
  // Enter and Space on a focused push button click it, as in every dialog.
  // Elsewhere Enter and Esc come as IDOK and IDCANCEL: this dialog has no
  // default or cancel button, so they do nothing.
  switch (controlId) {
    case IDC_Command1: form2_.Ok(); return TRUE;
    case IDC_Command2: form2_.Cancel(); return TRUE;
    case IDC_Command3: form2_.Apply(); return TRUE;
    case IDC_Command4: form2_.Default(); return TRUE;
    default: return FALSE;
  }
}

// The title bar's close box (and Alt+F4) is Cancel. Without this, the dialog
// would turn the close into IDCANCEL, which Esc also sends.
INT_PTR Form2Window::OnClose() {
  form2_.Cancel();
  return TRUE;
}

// Windows' own handling would scale the dialog's template font and move the
// controls by its own rounding; this dialog lays itself out from its twips.
INT_PTR Form2Window::OnDpiChanged(WPARAM wParam, LPARAM lParam) {
  platform::win32::ChangeDpi(hwnd_, wParam, lParam, [this](int dpi) {
    dpi_ = dpi;
    PlaceControls();
    // The old fonts go once no control draws with them any more.
    const auto previousFonts = std::exchange(fonts_, {});
    for (const Form2ControlLayout& control : kForm2Controls) {
      SetFont(control, platform::win32::FontCharsetOf(Control(control.id)), FALSE);
    }
    icons_.Apply(hwnd_, instance_, dpi_);
  });
  return TRUE;
}

bool Form2Window::CreateControls() {
  int previousFrame = -1;
  Form2ControlKind previousKind{};
  for (const Form2ControlLayout& control : kForm2Controls) {
    const bool firstOfGroup = control.kind != previousKind || control.frameId != previousFrame;
    previousKind = control.kind;
    previousFrame = control.frameId;
    const DWORD style = WS_CHILD | WS_VISIBLE | StyleOf(control, firstOfGroup);
    HWND child = CreateWindowExW(0, L"BUTTON", L"", style, 0, 0, 0, 0, hwnd_,
                                 reinterpret_cast<HMENU>(static_cast<INT_PTR>(control.id)),
                                 instance_, nullptr);
    if (child == nullptr) return false;
    if (control.kind == Form2ControlKind::Frame)
      frameHooks_.push_back(platform::win32::PaintCaptionWhole(child));
  }
  PlaceControls();
  return true;
}

void Form2Window::PlaceControls() {
  platform::win32::ControlPlacer placer(hwnd_, dpi_, static_cast<int>(std::size(kForm2Controls)));
  for (const Form2ControlLayout& control : kForm2Controls) {
    platform::TwipsRect bounds{control.left, control.top, control.width, control.height};
    // An option is placed inside its frame but is a child of the dialog, so
    // that the dialog's keyboard interface groups it with its neighbours.
    if (const Form2ControlLayout* frame = FindForm2Control(control.frameId)) {
      bounds.left += frame->left;
      bounds.top += frame->top;
    }
    placer.Place(control.id, bounds);
  }
}

int Form2Window::Pixels(std::int32_t twips) const { return platform::TwipsToPixels(twips, dpi_); }

HFONT Form2Window::FontFor(Form2ControlKind kind, int charset) {
  const auto key = std::pair{kind, charset};
  if (const auto* found = fonts_.Find(key)) return found->get();
  LOGFONTW font{};
  if (kind == Form2ControlKind::Option) {
    // The dialog's standard font, with only the character set changed.
    const auto standard = reinterpret_cast<HFONT>(SendMessageW(hwnd_, WM_GETFONT, 0, 0));
    if (standard == nullptr || GetObjectW(standard, sizeof(font), &font) != sizeof(font)) {
      GetObjectW(GetStockObject(DEFAULT_GUI_FONT), sizeof(font), &font);
    }
    font.lfHeight = MulDiv(font.lfHeight, dpi_, standardFontDpi_);
  } else {
    const bool button = kind == Form2ControlKind::Button;
    font.lfHeight = -MulDiv(button ? kButtonPoints : kFramePoints, dpi_, kPointsPerInch);
    font.lfWeight = button ? FW_BOLD : FW_NORMAL;
    lstrcpynW(font.lfFaceName, kFontFace, LF_FACESIZE);
  }
  font.lfCharSet = static_cast<BYTE>(charset);
  HFONT created = CreateFontIndirectW(&font);
  fonts_.Set(key, platform::win32::UniqueFont(created));
  return created;
}

void Form2Window::Select(int optionId) {
  const Form2ControlLayout* option = FindForm2Control(optionId);
  if (option == nullptr) return;
  for (const Form2ControlLayout& control : kForm2Controls) {
    if (control.kind == Form2ControlKind::Option && control.frameId == option->frameId) {
      Button_SetCheck(Control(control.id), control.id == optionId ? BST_CHECKED : BST_UNCHECKED);
    }
  }
}

bool Form2Window::IsSelected(int optionId) const {
  return Button_GetCheck(Control(optionId)) == BST_CHECKED;
}

void Form2Window::SetChecked(int checkId, bool checked) {
  Button_SetCheck(Control(checkId), checked ? BST_CHECKED : BST_UNCHECKED);
}

bool Form2Window::IsChecked(int checkId) const {
  return Button_GetCheck(Control(checkId)) == BST_CHECKED;
}

void Form2Window::SetTitle(const std::wstring& title) { SetWindowTextW(hwnd_, title.c_str()); }

void Form2Window::SetCaption(int controlId, const std::wstring& caption) {
  SetWindowTextW(Control(controlId), caption.c_str());
}

void Form2Window::SetFontCharset(int controlId, int charset) {
  if (const Form2ControlLayout* control = FindForm2Control(controlId)) SetFont(*control, charset, TRUE);
}

void Form2Window::SetFont(const Form2ControlLayout& control, int charset, BOOL redraw) {
  SendMessageW(Control(control.id), WM_SETFONT,
               reinterpret_cast<WPARAM>(FontFor(control.kind, charset)), redraw);
}

void Form2Window::Close() { EndDialog(hwnd_, 0); }

}  // namespace settings
