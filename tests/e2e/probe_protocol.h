// What adrelo_driver and adrelo_probe.dll say to each other: the driver sends
// the main window the registered query message with wParam = its own window
// and lParam = one of the kinds below; the probe answers with WM_COPYDATA
// (dwData = the kind, lpData = UTF-16 text, one record a line).
#pragma once

#include <string>

#include "resources/resource.h"

namespace adrelo_probe {

// The program's main window class.
inline constexpr wchar_t kMainClass[] = L"AdreloViewerForm1";

inline constexpr wchar_t kQueryMessage[] = L"AdreloE2EProbeQuery";
inline constexpr char kHookExport[] = "AdreloProbeHook";

enum Query : unsigned {
  kAttach = 1,    // start the command log afresh; answers "ok"
  kMenu = 2,      // the menu bar's tree, captions escaped (\t), ids of items
  kFonts = 3,     // font.<control>=face height weight charset
  kCommands = 4,  // menu and shortcut-key commands since kAttach: command id=<id> code=<HIWORD>
  kTray = 5,      // sent to Shell_TrayWnd: "<left> <top> <right> <bottom> <tip>" an icon
  kPopup = 6,     // the open popup menu: its items as kMenu, then "@menu <rect>" and "@<id> <rect>" each item
  kBoxIcon = 7,   // the icon of the open message box: error, other or none
  kLooks = 8,     // colour.<control>=0x00bbggrr, the text colour WM_CTLCOLORSTATIC sets,
                  // caption.<control>=<painted ink width> <unclipped ink width>: a group
                  // box's or one-line static's caption, then
                  // cursor=<hot x> <hot y> <width> <mono 0|1>, and
                  // icon.small|big=<side> <1: the resource's image of that side>
  kResources = 9, // what the process holds: res.gdi=, res.gdi.kinds=, res.user=, then
                  // res.user.windows|menus|icons|accelerators=
  kListMenu = 10, // List1's first entry selected and a right-button release posted to it; "ok"
  kDpiChange = 11, // lParam's high word a DPI: answers the handle of a message-only window
                   // of the probe's, to send kRunDpiChanges to once the hook is gone
  kFillDcCache = 12, // lParam's high word N: N window DCs held at once, then let go; "ok"
  kReverseLookups = 13, // from now on the program's gethostbyname answers its addresses in
                        // reverse order, as Windows may answer the computer's own name;
                        // "ok", or "no import" when the program imports no gethostbyname
};
// Sent to that window, wParam the driver's window: the window sent WM_DPICHANGED 100 times,
// to the DPI and back, each change painted before the next, then once more, watched. Each
// suggests the window's client area scaled by the ratio in a frame of the same size.
// Answered (dwData kRunDpiChanges) with dpi.from=, dpi.gdi.before= and dpi.gdi.after= (GDI
// objects before and after the 100), dpi.change_us= and dpi.paint_us= (the mean time of a
// change and of its painting), and of the last: dpi.drawn_during_change= (WM_PAINT and
// WM_ERASEBKGND while it was handled), dpi.windows= (the window and its controls) and
// dpi.painted_once= (how many of them the next update painted exactly once).
inline constexpr unsigned kRunDpiChanges = WM_APP + 1;
inline constexpr unsigned kQueryKindMask = 0xFFFF;
inline constexpr unsigned kQueryParameterShift = 16;

struct Control {
  int id;
  const wchar_t* name;
};
inline constexpr Control kControls[] = {
    {IDC_List1, L"List1"}, {IDC_Text1, L"Text1"}, {IDC_Label1, L"Label1"}, {IDC_Label2, L"Label2"}};

// The name of a control of the main window, or "id<N>" for one not listed.
inline std::wstring ControlName(int id) {
  for (const auto& control : kControls)
    if (control.id == id) return control.name;
  return L"id" + std::to_wstring(id);
}

}  // namespace adrelo_probe
