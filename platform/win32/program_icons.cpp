// The program's icon per DPI.
#include "platform/win32/program_icons.h"

#include <commctrl.h>

#include <utility>

#include "platform/win32/base_dialog.h"
#include "platform/win32/system_library.h"
#include "resources/resource.h"

namespace platform::win32 {

namespace {

using GetSystemMetricsForDpiFunction = int(WINAPI*)(int, UINT);
using LoadIconWithScaleDownFunction = HRESULT(WINAPI*)(HINSTANCE, PCWSTR, int, int, HICON*);

// Both live in user32 and comctl32, which the program has loaded from the
// start; their handles need no freeing.
template <class Function>
Function Resolve(const wchar_t* module, const char* name) {
  return ResolveFunction<Function>(GetModuleHandleW(module), name);
}

}  // namespace

int IconSize(IconKind kind, int dpi) {
  const int metric = kind == IconKind::kSmall ? SM_CXSMICON : SM_CXICON;
  if (const auto forDpi = Resolve<GetSystemMetricsForDpiFunction>(L"user32.dll", "GetSystemMetricsForDpi"))
    return forDpi(metric, static_cast<UINT>(dpi));
  return MulDiv(GetSystemMetrics(metric), dpi, SystemDpi());
}

int TaskbarDpi() {
  return WindowDpi(FindWindowW(L"Shell_TrayWnd", nullptr));
}

UniqueIcon LoadProgramIcon(HINSTANCE instance, int size) {
  // Scales down from a larger image where the resource has none of that
  // size, as Windows' own icons do, instead of stretching a smaller one up.
  if (const auto scaleDown = Resolve<LoadIconWithScaleDownFunction>(L"comctl32.dll", "LoadIconWithScaleDown")) {
    HICON icon = nullptr;
    if (SUCCEEDED(scaleDown(instance, MAKEINTRESOURCEW(IDI_ADRELO), size, size, &icon)))
      return UniqueIcon(icon);
  }
  return UniqueIcon(static_cast<HICON>(
      LoadImageW(instance, MAKEINTRESOURCEW(IDI_ADRELO), IMAGE_ICON, size, size, 0)));
}

void WindowIcons::ForClass(WNDCLASSEXW& windowClass, HINSTANCE instance, int dpi) {
  classDpi_ = dpi;
  classSmall_ = LoadProgramIcon(instance, IconSize(IconKind::kSmall, dpi));
  classBig_ = LoadProgramIcon(instance, IconSize(IconKind::kBig, dpi));
  windowClass.hIconSm = classSmall_.get();
  windowClass.hIcon = classBig_.get();
}

void WindowIcons::Apply(HWND window, HINSTANCE instance, int dpi) {
  const bool classIcons = dpi == classDpi_;
  UniqueIcon small = classIcons ? UniqueIcon() : LoadProgramIcon(instance, IconSize(IconKind::kSmall, dpi));
  UniqueIcon big = classIcons ? UniqueIcon() : LoadProgramIcon(instance, IconSize(IconKind::kBig, dpi));
  SendMessageW(window, WM_SETICON, ICON_SMALL,
               reinterpret_cast<LPARAM>(classIcons ? classSmall_.get() : small.get()));
  SendMessageW(window, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(classIcons ? classBig_.get() : big.get()));
  // The old ones go only now, when the window no longer draws with them.
  small_ = std::move(small);
  big_ = std::move(big);
}

}  // namespace platform::win32
