// adrelo_driver.exe: drives and reads a running Adrelo Viewer from another
// process in the same Wine prefix, for the end-to-end scripts. Subcommands run
// left to right in one process, so a probe hook installed by one stays for the
// next; results go to stdout as UTF-8 "key=value" lines; exit status 0 when
// every step worked, 1 on the first failure (reason on stderr), 2 for usage.
//
//   adrelo_driver [--desktop NAME] STEP...
//     wait-window MS        main window exists and its thread takes messages
//     state                 window, controls, list entries, screen size
//     clipboard             CF_UNICODETEXT of the clipboard
//     resolve               gethostname and gethostbyname, as the program does
//     msgbox TITLE MS       wait for a message box, print its text and buttons
//     msgbox-ok TITLE       press its OK and wait until it is gone
//     syscommand NAME       WM_SYSCOMMAND maximize|minimize|restore|size|close
//     keys K[,K...]         main window to the foreground, then SendInput (F5,Ctrl+O)
//     probe-attach          hook adrelo_probe.dll into the program's UI thread
//     lookups-reversed      from now on the program's name service answers in reverse order
//     menu | fonts          the menu tree / the controls' fonts, through the probe
//     commands N MS         wait for N commands (menus, keys) in the probe's log, print all
//     tray                  the notification area's icons: tray.count, tray.tip, tray.rect,
//                           tray.image (<side> <1 when drawn from the program's image of that side>)
//     tray-wait TIP MS      until an icon's tooltip is TIP ("-": until there is no icon)
//     tray-click N BUTTON   real mouse on icon N (0 first): left, right or double
//     tray-hover N MS       real mouse rests on icon N until explorer shows its
//                           tooltip: tooltip.rect, tooltip.text
//     hover-entry N MS      real mouse rests beside the address list until no tip shows,
//                           then on its entry N until its hover tip shows: listtip.text
//     list-tip-wait TEXT MS until the address list's hover tip shows TEXT (as printed),
//                           or no longer shows ("-")
//     popup MS              wait for the program's popup menu, print its items (popup=),
//                           then @menu and @<id> with their screen rects
//     popup-click ID        real click on the open popup menu's item with that command id
//     click X Y BUTTON      real mouse at a point of the screen
//     click-control ID BUTTON [ENTRY]  real mouse on a control of the main window, or
//                           on entry ENTRY of a list box
//     move X Y              real mouse move to a point of the main window's client area
//     notify-delete         remove the program's icon from outside (its window, uID 1)
//     post MESSAGE [W L]    post to the main window: a number or a registered name
//     wait-gone MS          until the main window no longer exists
//     launch EXE            start a program on the desktop, with this process's
//                           environment (LC_ALL included)
//     wait-foreground TITLE MS  until the foreground window has that title
//     lock-access SDDL      the session's lock given that access list, as a copy started
//                           as administrator makes it
//     second-start EXE MS   start it and wait up to MS for it to end: second.exit (its
//                           code), second.ms (start to end), second.main_windows
//     store-row FILE N      the program's keys replaced by row N of a stored-settings
//                           file (tests/data/stored_settings.txt): row.name, row.value
//     settings              the settings key's values, stored.NAME=TEXT, stored.count
//     key-access KEY SDDL   a key's access list (HKLM\... or HKCU\...) set to SDDL
//     hold-clipboard MS     another window keeps the clipboard open for MS from now,
//                           while the steps after it run
//     answer-times MS       for MS, how long the main window takes to answer a sent
//                           WM_NULL: answer.max_ms, answer.slow (over 100 ms), answer.samples
//     msgbox-watch TITLE MS how many message boxes so titled appear within MS
//     clipboard-wait TEXT MS until the clipboard holds TEXT, then as clipboard
//     wait-state V I MS     until the main window's visible and iconic flags are V, I
//     sleep MS              wait (for effects that nothing can be polled for)
//     popup-none MS         no popup menu opens within MS
//     wait-tick MS          until the refresh timer has just rebuilt the address list
//                           (seen by a selection made for the purpose vanishing)
//   Keys also name Up, Down, Left, Right and Space. Screen rects (tray.rect,
//   top.rect, owned.rect, tooltip.rect) are printed as left top right bottom.
//
//   The window the main window owns (a modal dialog), found among the visible
//   top-level windows by its owner:
//     owned-wait MS         wait until there is one; print its title and class
//     owned-gone MS         wait until there is none
//     owned-state           title, class, style, rect, client size, whether the
//                           main window is enabled, the focused control's id,
//                           and its controls as the window step prints them
//     owned-fonts           the children's fonts, through the probe
//     owned-click ID        BM_CLICK on its child ID, as a mouse click does
//     owned-keys K[,K...]   it to the foreground, then SendInput, as keys
//     owned-focus ID MS     wait until its child ID has the focus (focus ID MS: the
//                           main window's)
//     owned-close-box       a real mouse click on its title bar's close box
//   Any top-level window of the program, by its exact title:
//     window TITLE MS       wait until it is visible; print it (top.*: class, style,
//                           owner, rect, client size and origin, focus), main.enabled and
//                           its controls: child.<id>.class|text|rect (client x y w h)|
//                           style|enabled|check, and children=<ids in z-order>
//     window-gone TITLE MS  until no window so titled exists
//     keys-to TITLE K[,K...]    as keys, with that window in the foreground
//     syscommand-to TITLE NAME  as syscommand, to that window
//     mouse TITLE ID move|click real mouse at the centre of its control ID
//     looks TITLE           its controls' fonts (font.id<N>=face height weight
//                           charset [underline]) and text colours (colour.id<N>=
//                           0x00bbggrr, as WM_CTLCOLORSTATIC sets them) and the
//                           cursor shown (cursor=hot-x hot-y width mono), via the probe
//     wait-colour TITLE ID COLOUR MS  until control ID's text colour is COLOUR, then looks
//     dpi-change TITLE DPI  WM_DPICHANGED to DPI and back 50 times, then to DPI, sent from
//                           inside: dpi.from, dpi.gdi.before|after (around the 100)
//   Soak: one action many times in a tight loop, and what the program holds:
//     resources             res.handles (kernel handles), res.gdi, res.gdi.kinds (by kind)
//                           and res.user (USER objects: res.user.windows|menus|icons|
//                           accelerators), via the probe
//     fill-dc-cache N       N window DCs held at once in the program, then let go
//     soak-ticks N          N refresh ticks: WM_TIMER with Timer1's id, each sent
//     soak-language N       N Applies in the open settings dialog, Bulgarian and English in turn
//     soak-open WHAT N      N times opened and closed: tray, text1 or list1 (their menus), about
#include <winsock2.h>
#include <windows.h>

#include <sddl.h>
#include <shellapi.h>
#include <winternl.h>

#include <algorithm>
#include <cstring>
#include <map>
#include <cwchar>
#include <string>
#include <utility>
#include <vector>

#include "platform/win32/session_copies_win32.h"
#include "probe_protocol.h"
#include "stored_settings.h"

namespace {

using adrelo_probe::kMainClass;
constexpr DWORD kDefaultWaitMs = 10000;
// How long a window may take to answer a query that does real work in it
// (the probe's, a hundred DPI changes): the step fails on a hang, not on a
// slow or busy machine.
constexpr DWORD kWorkAnswerMs = 60000;

struct Failure {
  std::wstring message;
};
struct UsageError {
  std::wstring message;
};

void WriteUtf8(HANDLE handle, const std::wstring& text) {
  const int size = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()),
                                       nullptr, 0, nullptr, nullptr);
  std::string bytes(size, '\0');
  WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), bytes.data(), size,
                      nullptr, nullptr);
  DWORD written = 0;
  WriteFile(handle, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
}

void Print(const std::wstring& key, const std::wstring& value) {
  WriteUtf8(GetStdHandle(STD_OUTPUT_HANDLE), key + L'=' + value + L'\n');
}

// Printed values are one line each.
std::wstring OneLine(const std::wstring& text) {
  std::wstring out;
  for (wchar_t c : text) {
    if (c == L'\r') out += L"\\r";
    else if (c == L'\n') out += L"\\n";
    else if (c == L'\t') out += L"\\t";
    else out += c;
  }
  return out;
}

std::wstring Hex(DWORD value) {
  wchar_t buffer[16];
  swprintf(buffer, 16, L"0x%08lx", static_cast<unsigned long>(value));
  return buffer;
}

std::wstring Widen(const char* text) {
  std::wstring out;
  while (*text) out += static_cast<wchar_t>(static_cast<unsigned char>(*text++));
  return out;
}

DWORD ParseMs(const std::wstring& text) {
  wchar_t* end = nullptr;
  const unsigned long value = std::wcstoul(text.c_str(), &end, 10);
  if (text.empty() || *end) throw UsageError{L"not a number: " + text};
  return static_cast<DWORD>(value);
}

bool Expired(ULONGLONG deadline) { return GetTickCount64() >= deadline; }

// Prints what a step of stored_settings.cpp gives, its failures as the driver's.
template <typename Step>
void PrintLines(Step step) {
  try {
    for (const auto& [key, value] : step()) Print(key, value);
  } catch (const std::wstring& message) {
    throw Failure{message};
  }
}

// WM_GETTEXT, not GetWindowText: for another process's window GetWindowText
// returns the window's own caption without asking the control.
std::wstring ControlText(HWND window) {
  DWORD_PTR length = 0;
  if (!SendMessageTimeoutW(window, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, 3000, &length))
    throw Failure{L"no answer to WM_GETTEXTLENGTH"};
  std::wstring text(length + 1, L'\0');
  DWORD_PTR copied = 0;
  if (!SendMessageTimeoutW(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()),
                           SMTO_ABORTIFHUNG, 3000, &copied))
    throw Failure{L"no answer to WM_GETTEXT"};
  text.resize(copied);
  return text;
}

std::wstring ClassOf(HWND window) {
  wchar_t name[256] = {};
  GetClassNameW(window, name, 256);
  return name;
}

LRESULT CALLBACK ReplyProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

class Driver {
 public:
  // Wine keeps a hook set on another thread after the thread that set it has
  // ended (it removes only low-level hooks then): left in place, every
  // message of the program would go through the probe's hooks of all past
  // sessions.
  ~Driver() {
    for (const auto& [thread, hook] : hooks_) UnhookWindowsHookEx(hook);
  }

  void SetDesktop(const std::wstring& name) { desktopName_ = name; }

  void WaitWindow(DWORD ms) {
    const ULONGLONG deadline = GetTickCount64() + ms;
    EnterDesktop(deadline);
    while (!(main_ = FindWindowW(kMainClass, nullptr))) {
      if (Expired(deadline)) throw Failure{L"no window of class AdreloViewerForm1 within " +
                                           std::to_wstring(ms) + L" ms"};
      Sleep(50);
    }
    // Start-up is over once the thread pumps messages: idle for
    // WaitForInputIdle, and answering a sent WM_NULL.
    DWORD processId = 0;
    GetWindowThreadProcessId(main_, &processId);
    if (HANDLE process = OpenProcess(SYNCHRONIZE | PROCESS_QUERY_INFORMATION, FALSE, processId)) {
      const ULONGLONG now = GetTickCount64();
      WaitForInputIdle(process, now < deadline ? static_cast<DWORD>(deadline - now) : 0);
      CloseHandle(process);
    }
    while (!SendMessageTimeoutW(main_, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 500, nullptr)) {
      if (Expired(deadline)) throw Failure{L"the main window does not answer messages"};
    }
  }

  void State() {
    HWND main = Main();
    wchar_t title[256] = {};
    GetWindowTextW(main, title, 256);
    Print(L"window.title", title);
    Print(L"window.visible", IsWindowVisible(main) ? L"1" : L"0");
    Print(L"window.iconic", IsIconic(main) ? L"1" : L"0");
    Print(L"window.zoomed", IsZoomed(main) ? L"1" : L"0");
    Print(L"window.foreground", GetForegroundWindow() == main ? L"1" : L"0");
    Print(L"window.enabled", IsWindowEnabled(main) ? L"1" : L"0");
    Print(L"window.style", Hex(GetWindowLongW(main, GWL_STYLE)));
    Print(L"window.exstyle", Hex(GetWindowLongW(main, GWL_EXSTYLE)));
    RECT rect{};
    GetWindowRect(main, &rect);
    Print(L"window.pos", std::to_wstring(rect.left) + L' ' + std::to_wstring(rect.top));
    Print(L"window.size",
          std::to_wstring(rect.right - rect.left) + L' ' + std::to_wstring(rect.bottom - rect.top));
    RECT client{};
    GetClientRect(main, &client);
    Print(L"client.size", std::to_wstring(client.right) + L' ' + std::to_wstring(client.bottom));
    Print(L"screen.size", std::to_wstring(GetSystemMetrics(SM_CXSCREEN)) + L' ' +
                              std::to_wstring(GetSystemMetrics(SM_CYSCREEN)));
    for (const auto& control : adrelo_probe::kControls) {
      HWND child = GetDlgItem(main, control.id);
      if (!child) throw Failure{L"no control with id " + std::to_wstring(control.id)};
      Print(std::wstring(control.name) + L".class", ClassOf(child));
      RECT rect{};
      GetWindowRect(child, &rect);
      Print(std::wstring(control.name) + L".rect", RectText(rect));
      if (control.id == IDC_List1) {
        ListEntries(child, control.name);
      } else {
        Print(control.name, OneLine(ControlText(child)));
      }
    }
  }

  void Clipboard() {
    bool hasText = false;
    const std::wstring text = ClipboardText(&hasText);
    Print(L"clipboard.has_text", hasText ? L"1" : L"0");
    Print(L"clipboard", OneLine(text));
  }

  static std::wstring ClipboardText(bool* hasText = nullptr) {
    const ULONGLONG deadline = GetTickCount64() + 3000;
    // The program may still hold the clipboard open for a moment.
    while (!OpenClipboard(nullptr)) {
      if (Expired(deadline)) throw Failure{L"the clipboard stays open in another window"};
      Sleep(50);
    }
    std::wstring text;
    if (HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
      if (const auto* locked = static_cast<const wchar_t*>(GlobalLock(data))) {
        text = locked;
        if (hasText) *hasText = true;
        GlobalUnlock(data);
      }
    }
    CloseClipboard();
    return text;
  }

  static void Resolve() {
    WSADATA data{};
    if (WSAStartup(MAKEWORD(1, 1), &data) != 0) throw Failure{L"WSAStartup failed"};
    char name[256] = {};
    if (gethostname(name, sizeof name) != 0)
      throw Failure{L"gethostname failed: " + std::to_wstring(WSAGetLastError())};
    Print(L"resolve.name", Widen(name));
    const hostent* entry = gethostbyname(name);
    if (!entry) throw Failure{L"gethostbyname failed: " + std::to_wstring(WSAGetLastError())};
    for (int i = 0; entry->h_addr_list[i]; ++i) {
      in_addr address{};
      std::memcpy(&address, entry->h_addr_list[i], sizeof address);
      Print(L"resolve.address", Widen(inet_ntoa(address)));
    }
    WSACleanup();
  }

  void MessageBoxText(const std::wstring& title, DWORD ms) {
    HWND box = FindMessageBox(title, ms);
    Print(L"msgbox.title", title);
    Print(L"msgbox.owner", GetWindow(box, GW_OWNER) == Main() ? L"main" : L"other");
    for (HWND child = GetWindow(box, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
      const std::wstring kind = ClassOf(child);
      const LONG style = GetWindowLongW(child, GWL_STYLE);
      if (!lstrcmpiW(kind.c_str(), L"Static") && (style & SS_TYPEMASK) == SS_ICON) {
        if (GetWindow(box, GW_OWNER) == Main()) Print(L"msgbox.icon", Query(adrelo_probe::kBoxIcon));
      } else if (!lstrcmpiW(kind.c_str(), L"Static")) {
        const std::wstring text = ControlText(child);
        if (!text.empty()) Print(L"msgbox.text", OneLine(text));
      } else if (!lstrcmpiW(kind.c_str(), L"Button") && IsWindowVisible(child)) {
        Print(L"msgbox.button", ControlText(child));
      }
    }
  }

  void MessageBoxOk(const std::wstring& title) {
    HWND box = FindMessageBox(title, 2000);
    HWND ok = GetDlgItem(box, IDOK);
    if (!ok) throw Failure{L"the message box has no OK button"};
    // WM_COMMAND as the button sends it: BM_CLICK needs the button on screen.
    PostMessageW(box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), reinterpret_cast<LPARAM>(ok));
    const ULONGLONG deadline = GetTickCount64() + 5000;
    while (IsWindow(box)) {
      if (Expired(deadline)) throw Failure{L"the message box stays after OK"};
      Sleep(50);
    }
  }

  void SysCommand(const std::wstring& name, HWND target = nullptr) {
    WPARAM command = 0;
    if (name == L"maximize") command = SC_MAXIMIZE;
    else if (name == L"minimize") command = SC_MINIMIZE;
    else if (name == L"restore") command = SC_RESTORE;
    else if (name == L"size") command = SC_SIZE;
    else if (name == L"close") command = SC_CLOSE;
    else throw UsageError{L"unknown system command: " + name};
    // A window that lets SC_SIZE through enters a modal sizing loop and does
    // not answer until that ends: report it rather than hang.
    if (!SendMessageTimeoutW(target ? target : Main(), WM_SYSCOMMAND, command, 0, SMTO_ABORTIFHUNG,
                             3000, nullptr))
      throw Failure{L"no answer to WM_SYSCOMMAND " + name + L" within 3 s"};
  }

  void Keys(const std::wstring& list, HWND target = nullptr) {
    Foreground(target ? target : Main());
    SendKeys(list);
  }

  // Each chord of the comma-separated list pressed and released, in order.
  static void SendKeys(const std::wstring& list) {
    std::vector<INPUT> inputs;
    size_t start = 0;
    while (start <= list.size()) {
      const size_t comma = list.find(L',', start);
      const std::wstring key =
          list.substr(start, comma == std::wstring::npos ? std::wstring::npos : comma - start);
      AddChord(key, inputs);
      if (comma == std::wstring::npos) break;
      start = comma + 1;
    }
    const UINT sent = SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
    if (sent != inputs.size()) throw Failure{L"SendInput sent " + std::to_wstring(sent) + L" of " +
                                             std::to_wstring(inputs.size()) + L" events"};
  }

  void ProbeAttach() {
    HookThreadOf(Main());
    if (!attached_) {
      if (QueryWindow(main_, adrelo_probe::kAttach) != L"ok")
        throw Failure{L"the probe does not answer"};
      attached_ = true;
    }
  }

  void LookupsReversed() {
    const std::wstring answer = Query(adrelo_probe::kReverseLookups);
    if (answer != L"ok") throw Failure{L"the name service could not be reversed: " + answer};
  }

  void Menu() { PrintLines(L"menu", Query(adrelo_probe::kMenu)); }

  void Fonts() {
    const std::wstring answer = Query(adrelo_probe::kFonts);
    WriteUtf8(GetStdHandle(STD_OUTPUT_HANDLE), answer);
  }

  void Commands(unsigned wanted, DWORD ms) {
    const ULONGLONG deadline = GetTickCount64() + ms;
    auto lines = [](const std::wstring& text) {
      unsigned count = 0;
      for (wchar_t c : text) count += c == L'\n';
      return count;
    };
    std::wstring log = Query(adrelo_probe::kCommands);
    while (lines(log) < wanted && !Expired(deadline)) {
      Sleep(50);
      log = Query(adrelo_probe::kCommands);
    }
    // A moment more, so that a command sent twice shows up twice.
    Sleep(300);
    log = Query(adrelo_probe::kCommands);
    WriteUtf8(GetStdHandle(STD_OUTPUT_HANDLE), log);
    if (lines(log) < wanted)
      throw Failure{L"the main window got " + std::to_wstring(lines(log)) + L" WM_COMMAND(s), not " +
                    std::to_wstring(wanted) + L", within " + std::to_wstring(ms) + L" ms"};
  }

  // ---- notification area, popup menus, mouse --------------------------------
  void Tray() {
    const std::vector<TrayIcon> icons = TrayIcons(true);
    Print(L"tray.count", std::to_wstring(icons.size()));
    for (const TrayIcon& icon : icons) {
      Print(L"tray.tip", icon.tip);
      Print(L"tray.rect", RectText(icon.rect));
      Print(L"tray.image", icon.image);
    }
  }

  void TrayWait(const std::wstring& tip, DWORD ms) {
    const ULONGLONG deadline = GetTickCount64() + ms;
    for (;;) {
      const std::vector<TrayIcon> icons = TrayIcons();
      if (tip == L"-" ? icons.empty() : HasTip(icons, tip)) break;
      if (Expired(deadline)) {
        std::wstring seen;
        for (const TrayIcon& icon : icons) seen += L" [" + icon.tip + L"]";
        throw Failure{L"no tray icon \"" + tip + L"\" within " + std::to_wstring(ms) +
                      L" ms; icons:" + seen};
      }
      Sleep(100);
    }
    Tray();
  }

  void TrayClick(unsigned index, const std::wstring& button) {
    const std::vector<TrayIcon> icons = TrayIcons();
    if (index >= icons.size()) throw Failure{L"no tray icon " + std::to_wstring(index)};
    const RECT& rect = icons[index].rect;
    ClickAt((rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2, button);
  }

  // Explorer shows an icon's tooltip only while the pointer rests on it.
  void TrayHover(unsigned index, DWORD ms) {
    const std::vector<TrayIcon> icons = TrayIcons();
    if (index >= icons.size()) throw Failure{L"no tray icon " + std::to_wstring(index)};
    const RECT& rect = icons[index].rect;
    MovePointer({(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2});
    const HWND tip = WaitTooltip(FindWindowW(L"Shell_TrayWnd", nullptr), true, ms);
    RECT shown{};
    GetWindowRect(tip, &shown);
    Print(L"tooltip.rect", RectText(shown));
    Print(L"tooltip.text", OneLine(ControlText(tip)));
  }

  // Until a tooltip of owner's thread shows with a text (shown) or none shows.
  static HWND WaitTooltip(HWND owner, bool shown, DWORD ms) {
    const DWORD thread = GetWindowThreadProcessId(owner, nullptr);
    const ULONGLONG deadline = GetTickCount64() + ms;
    for (;;) {
      HWND visible = nullptr;
      for (HWND tip = FindWindowExW(nullptr, nullptr, L"tooltips_class32", nullptr); tip && !visible;
           tip = FindWindowExW(nullptr, tip, L"tooltips_class32", nullptr)) {
        if (IsWindowVisible(tip) && GetWindowThreadProcessId(tip, nullptr) == thread &&
            !ControlText(tip).empty())
          visible = tip;
      }
      if ((visible != nullptr) == shown) return visible;
      if (Expired(deadline))
        throw Failure{std::wstring(shown ? L"no tooltip" : L"a tooltip still shows") + L" after " +
                      std::to_wstring(ms) + L" ms"};
      Sleep(50);
    }
  }

  // The address list's hover tip for an entry, under the real mouse: the
  // pointer first rests beside the list until no tip shows, so the tip read
  // is the entry's own.
  void HoverEntry(int entry, DWORD ms) {
    HWND list = GetDlgItem(Main(), IDC_List1);
    RECT beside{};
    GetWindowRect(GetDlgItem(Main(), IDC_Label2), &beside);
    MovePointer({(beside.left + beside.right) / 2, (beside.top + beside.bottom) / 2});
    WaitTooltip(Main(), false, ms);
    DWORD_PTR height = 0;
    SendMessageTimeoutW(list, LB_GETITEMHEIGHT, 0, 0, SMTO_ABORTIFHUNG, 3000, &height);
    POINT point{16, static_cast<LONG>(entry * height + height / 2)};
    ClientToScreen(list, &point);
    MovePointer(point);
    Print(L"listtip.text", OneLine(ControlText(WaitTooltip(Main(), true, ms))));
  }

  // Until the hover tip shows text (as printed: one line), or none ("-").
  void ListTipWait(const std::wstring& text, DWORD ms) {
    const ULONGLONG deadline = GetTickCount64() + ms;
    for (;;) {
      const HWND tip = WaitTooltip(Main(), text != L"-", ms);
      if (text == L"-" || OneLine(ControlText(tip)) == text) return;
      if (Expired(deadline))
        throw Failure{L"the hover tip shows " + OneLine(ControlText(tip)) + L", not " + text};
      Sleep(50);
    }
  }

  void Popup(DWORD ms) {
    const ULONGLONG deadline = GetTickCount64() + ms;
    // Read until two answers agree: a menu just opened may still be moving
    // to its place.
    std::wstring items, previous;
    for (;;) {
      items = Query(adrelo_probe::kPopup);
      if (!items.empty() && items == previous) break;
      if (Expired(deadline)) throw Failure{L"no popup menu within " + std::to_wstring(ms) + L" ms"};
      previous = items;
      Sleep(100);
    }
    PrintLines(L"popup", items);
  }

  void PopupClick(const std::wstring& id) {
    const std::wstring items = Query(adrelo_probe::kPopup);
    const std::wstring key = L"@" + id + L" ";
    const size_t at = items.find(key);
    if (at == std::wstring::npos) throw Failure{L"the open popup menu has no item " + id};
    RECT rect{};
    swscanf(items.c_str() + at + key.size(), L"%ld %ld %ld %ld", &rect.left, &rect.top,
            &rect.right, &rect.bottom);
    ClickAt((rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2, L"left");
    // Closed before the next step, which may open another.
    const ULONGLONG deadline = GetTickCount64() + kDefaultWaitMs;
    // (The command may have ended the program.)
    while (IsWindow(main_) && !Query(adrelo_probe::kPopup).empty()) {
      if (Expired(deadline)) throw Failure{L"the popup menu stays open after the click"};
      Sleep(50);
    }
  }

  HWND Top(const std::wstring& title, DWORD ms) {
    const ULONGLONG deadline = GetTickCount64() + ms;
    EnterDesktop(deadline);
    for (;;) {
      HWND top = FindWindowW(nullptr, title.c_str());
      if (top && IsWindowVisible(top)) return top;
      if (Expired(deadline))
        throw Failure{L"no window titled \"" + title + L"\" within " + std::to_wstring(ms) + L" ms"};
      Sleep(50);
    }
  }

  void Click(int x, int y, const std::wstring& button) { ClickAt(x, y, button); }

  void ClickControl(int id, const std::wstring& button, int entry) {
    HWND control = GetDlgItem(Main(), id);
    if (!control) throw Failure{L"no control with id " + std::to_wstring(id)};
    RECT rect{};
    GetClientRect(control, &rect);
    POINT point{rect.right / 2, rect.bottom / 2};
    if (entry >= 0) {
      DWORD_PTR height = 0;
      SendMessageTimeoutW(control, LB_GETITEMHEIGHT, 0, 0, SMTO_ABORTIFHUNG, 3000, &height);
      point = {8, static_cast<LONG>(entry * height + height / 2)};
    }
    ClientToScreen(control, &point);
    ClickAt(point.x, point.y, button);
  }

  void Move(int x, int y) {
    POINT point{x, y};
    ClientToScreen(Main(), &point);
    SendPointerTo(point);
  }

  void NotifyDelete() {
    NOTIFYICONDATAW data{};
    data.cbSize = NOTIFYICONDATAW_V1_SIZE;
    data.hWnd = Main();
    data.uID = TRAY_ICON_UID;
    if (!Shell_NotifyIconW(NIM_DELETE, &data)) throw Failure{L"the shell did not remove the icon"};
  }

  void Post(const std::wstring& name, WPARAM wParam, LPARAM lParam) {
    wchar_t* end = nullptr;
    UINT message = static_cast<UINT>(std::wcstoul(name.c_str(), &end, 0));
    if (name.empty() || *end) message = RegisterWindowMessageW(name.c_str());
    if (!PostMessageW(Main(), message, wParam, lParam)) throw Failure{L"PostMessage failed"};
  }

  // A window of a thread of its own opens the clipboard, as another program
  // would, and closes it MS later; the driver waits for that before it ends.
  void HoldClipboard(DWORD ms) {
    holdMs_ = ms;
    HANDLE opened = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    holdOpened_ = opened;
    holder_ = CreateThread(nullptr, 0, &Driver::HoldClipboardThread, this, 0, nullptr);
    if (!holder_ || WaitForSingleObject(opened, 5000) != WAIT_OBJECT_0 || !holdOk_)
      throw Failure{L"could not hold the clipboard"};
    CloseHandle(opened);
  }

  static DWORD WINAPI HoldClipboardThread(void* self) {
    auto* driver = static_cast<Driver*>(self);
    HWND window = CreateWindowExW(0, L"STATIC", L"holder", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                  nullptr, nullptr);
    driver->holdOk_ = OpenClipboard(window) != FALSE;
    SetEvent(driver->holdOpened_);
    Sleep(driver->holdMs_);
    if (driver->holdOk_) CloseClipboard();
    DestroyWindow(window);
    return 0;
  }

  void WaitHolder() {
    if (!holder_) return;
    WaitForSingleObject(holder_, INFINITE);
    CloseHandle(holder_);
    holder_ = nullptr;
  }

  // The longest a sent WM_NULL waits for the main window over MS.
  void AnswerTimes(DWORD ms) {
    HWND main = Main();
    const ULONGLONG deadline = GetTickCount64() + ms;
    ULONGLONG longest = 0;
    unsigned samples = 0, slow = 0;
    while (!Expired(deadline)) {
      const ULONGLONG sent = GetTickCount64();
      if (!SendMessageTimeoutW(main, WM_NULL, 0, 0, SMTO_NORMAL, 30000, nullptr))
        throw Failure{L"the main window did not answer within 30 s"};
      const ULONGLONG waited = GetTickCount64() - sent;
      longest = std::max(longest, waited);
      ++samples;
      if (waited > 100) ++slow;
      Sleep(20);
    }
    Print(L"answer.max_ms", std::to_wstring(longest));
    Print(L"answer.slow", std::to_wstring(slow));
    Print(L"answer.samples", std::to_wstring(samples));
  }

  // As explorer starts a program on the desktop, without a Unix loader between.
  // The 64-bit Wine now and then fails a start it makes at once the next time.
  // The program started on the desktop (tried twice: under load Wine now and
  // then fails a process as it starts); the caller owns the process handle.
  HANDLE StartOnDesktop(const std::wstring& path) {
    std::wstring commandLine = L"\"" + path + L"\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.lpDesktop = desktopName_.data();
    PROCESS_INFORMATION info{};
    const auto start = [&] {
      return CreateProcessW(path.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                            nullptr, &startup, &info);
    };
    if (!start() && (Sleep(200), !start()))
      throw Failure{L"cannot start " + path + L": " + std::to_wstring(GetLastError())};
    CloseHandle(info.hThread);
    return info.hProcess;
  }

  void Launch(const std::wstring& path) { CloseHandle(StartOnDesktop(path)); }

  // The program started again beside the running copy: how it ended, how
  // long it took, and how many main windows there are afterwards.
  void SecondStart(const std::wstring& path, DWORD ms) {
    Main();  // on the program's desktop, where its windows are counted
    const ULONGLONG started = GetTickCount64();
    HANDLE process = StartOnDesktop(path);
    const DWORD waited = WaitForSingleObject(process, ms);
    const ULONGLONG took = GetTickCount64() - started;
    DWORD code = STILL_ACTIVE;
    GetExitCodeProcess(process, &code);
    if (waited != WAIT_OBJECT_0) TerminateProcess(process, 1);
    CloseHandle(process);
    if (waited != WAIT_OBJECT_0) throw Failure{L"the second start still runs after " + std::to_wstring(ms) + L" ms"};
    int windows = 0;
    for (HWND window = FindWindowExW(nullptr, nullptr, kMainClass, nullptr); window;
         window = FindWindowExW(nullptr, window, kMainClass, nullptr))
      ++windows;
    Print(L"second.exit", std::to_wstring(code));
    Print(L"second.ms", std::to_wstring(took));
    Print(L"second.main_windows", std::to_wstring(windows));
  }

  void LockAccess(const std::wstring& sddl) {
    HANDLE lock = OpenMutexW(WRITE_DAC, FALSE, platform::win32::kSessionLockName);
    if (!lock) throw Failure{L"the session's lock cannot be opened: " + std::to_wstring(GetLastError())};
    PSECURITY_DESCRIPTOR descriptor = nullptr;
    const bool set =
        ConvertStringSecurityDescriptorToSecurityDescriptorW(sddl.c_str(), SDDL_REVISION_1, &descriptor,
                                                             nullptr) &&
        SetKernelObjectSecurity(lock, DACL_SECURITY_INFORMATION, descriptor);
    LocalFree(descriptor);
    CloseHandle(lock);
    if (!set) throw Failure{L"the lock's access list cannot be set to " + sddl};
  }

  void WaitForeground(const std::wstring& title, DWORD ms) {
    const ULONGLONG deadline = GetTickCount64() + ms;
    for (;;) {
      wchar_t text[256]{};
      if (HWND front = GetForegroundWindow()) GetWindowTextW(front, text, 256);
      if (title == text) return;
      if (Expired(deadline))
        throw Failure{L"the foreground window is \"" + std::wstring(text) + L"\", not \"" + title + L"\""};
      Sleep(50);
    }
  }

  void WaitGone(DWORD ms) {
    const ULONGLONG deadline = GetTickCount64() + ms;
    EnterDesktop(deadline);
    while (FindWindowW(kMainClass, nullptr)) {
      if (Expired(deadline)) throw Failure{L"the main window still exists after " +
                                           std::to_wstring(ms) + L" ms"};
      Sleep(50);
    }
  }

  void MessageBoxWatch(const std::wstring& title, DWORD ms) {
    const ULONGLONG deadline = GetTickCount64() + ms;
    EnterDesktop(deadline);
    std::vector<HWND> seen;
    unsigned mostAtOnce = 0;
    do {
      unsigned now = 0;
      for (HWND box = FindWindowExW(nullptr, nullptr, L"#32770", title.c_str()); box;
           box = FindWindowExW(nullptr, box, L"#32770", title.c_str())) {
        if (!IsWindowVisible(box)) continue;
        ++now;
        if (std::find(seen.begin(), seen.end(), box) == seen.end()) seen.push_back(box);
      }
      mostAtOnce = std::max(mostAtOnce, now);
      Sleep(100);
    } while (!Expired(deadline));
    Print(L"msgbox.seen", std::to_wstring(seen.size()));
    Print(L"msgbox.most", std::to_wstring(mostAtOnce));
  }

  void PopupNone(DWORD ms) {
    const ULONGLONG deadline = GetTickCount64() + ms;
    do {
      if (!Query(adrelo_probe::kPopup).empty()) throw Failure{L"a popup menu opened"};
      Sleep(50);
    } while (!Expired(deadline));
  }

  void WaitTick(DWORD ms) {
    const ULONGLONG deadline = GetTickCount64() + ms;
    HWND list = GetDlgItem(Main(), IDC_List1);
    DWORD_PTR selected = 0;
    SendMessageTimeoutW(list, LB_SETCURSEL, 0, 0, SMTO_ABORTIFHUNG, 3000, nullptr);
    do {
      if (Expired(deadline)) throw Failure{L"no refresh within " + std::to_wstring(ms) + L" ms"};
      Sleep(20);
      SendMessageTimeoutW(list, LB_GETCURSEL, 0, 0, SMTO_ABORTIFHUNG, 3000, &selected);
    } while (static_cast<LRESULT>(selected) != LB_ERR);
  }

  void ClipboardWait(const std::wstring& text, DWORD ms) {
    const ULONGLONG deadline = GetTickCount64() + ms;
    while (ClipboardText() != text && !Expired(deadline)) Sleep(50);
    Clipboard();
  }

  void WaitState(int visible, int iconic, DWORD ms) {
    const ULONGLONG deadline = GetTickCount64() + ms;
    while ((IsWindowVisible(Main()) ? 1 : 0) != visible || (IsIconic(Main()) ? 1 : 0) != iconic) {
      if (Expired(deadline))
        throw Failure{L"the main window is not visible=" + std::to_wstring(visible) + L" iconic=" +
                      std::to_wstring(iconic) + L" within " + std::to_wstring(ms) + L" ms"};
      Sleep(50);
    }
  }

  void Window(const std::wstring& title, DWORD ms) {
    HWND top = Top(title, ms);
    Print(L"top.class", ClassOf(top));
    Print(L"top.style", Hex(GetWindowLongW(top, GWL_STYLE)));
    Print(L"top.exstyle", Hex(GetWindowLongW(top, GWL_EXSTYLE)));
    Print(L"top.owned_by_main", GetWindow(top, GW_OWNER) == Main() ? L"1" : L"0");
    RECT frame{};
    GetWindowRect(top, &frame);
    Print(L"top.rect", RectText(frame));
    RECT client{};
    GetClientRect(top, &client);
    Print(L"top.client.size", std::to_wstring(client.right) + L' ' + std::to_wstring(client.bottom));
    POINT origin{};
    ClientToScreen(top, &origin);
    Print(L"top.client.origin", std::to_wstring(origin.x) + L' ' + std::to_wstring(origin.y));
    GUITHREADINFO gui{};
    gui.cbSize = sizeof gui;
    // A window just shown is activated a moment later, when the X server's
    // focus event arrives, and a busy thread may still hold the focus where it
    // was (the owner's control): give it a little time to move the focus in.
    const ULONGLONG settled = GetTickCount64() + 1000;
    while (GetGUIThreadInfo(GetWindowThreadProcessId(top, nullptr), &gui) &&
           gui.hwndFocus != top && !IsChild(top, gui.hwndFocus) && !Expired(settled))
      Sleep(20);
    Print(L"top.focus", gui.hwndFocus == top         ? L"window"
                        : !gui.hwndFocus             ? L"none"
                        : IsChild(top, gui.hwndFocus) ? L"id" + std::to_wstring(GetDlgCtrlID(gui.hwndFocus))
                                                     : L"elsewhere");
    Print(L"main.enabled", IsWindowEnabled(Main()) ? L"1" : L"0");
    PrintChildren(top);
  }

  static bool IsClass(HWND window, const wchar_t* name) {
    return _wcsicmp(ClassOf(window).c_str(), name) == 0;
  }

  // Whether a control can take the focus: any button but a frame, and
  // whatever Tab stops at.
  static bool TakesFocus(HWND child) {
    const LONG style = GetWindowLongW(child, GWL_STYLE);
    if (IsClass(child, L"Button")) return (style & BS_TYPEMASK) != BS_GROUPBOX;
    return (style & WS_TABSTOP) != 0;
  }

  // The name a screen reader gives such a control, found as oleacc finds it:
  // a button's own text, any other control's the text of the label just
  // before it in z-order.
  static std::wstring AccessibleName(HWND child) {
    if (IsClass(child, L"Button")) return ControlText(child);
    HWND previous = GetWindow(child, GW_HWNDPREV);
    return previous && IsClass(previous, L"Static") ? ControlText(previous) : L"";
  }

  // Each control of a top-level window: child.<id>.class|text|rect (client
  // x y w h)|style|enabled|check, and .name for one that takes the focus;
  // then children=<ids in z-order> and unnamed=<ids of those with no name>.
  static void PrintChildren(HWND top) {
    std::wstring order;
    std::wstring unnamed;
    for (HWND child = GetWindow(top, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
      const std::wstring key = L"child." + std::to_wstring(GetDlgCtrlID(child));
      order += (order.empty() ? L"" : L" ") + std::to_wstring(GetDlgCtrlID(child));
      RECT rect{};
      GetWindowRect(child, &rect);
      MapWindowPoints(nullptr, top, reinterpret_cast<POINT*>(&rect), 2);
      Print(key + L".class", ClassOf(child));
      Print(key + L".text", OneLine(ControlText(child)));
      Print(key + L".rect", std::to_wstring(rect.left) + L' ' + std::to_wstring(rect.top) + L' ' +
                                std::to_wstring(rect.right - rect.left) + L' ' +
                                std::to_wstring(rect.bottom - rect.top));
      Print(key + L".style", Hex(GetWindowLongW(child, GWL_STYLE)));
      Print(key + L".enabled", IsWindowEnabled(child) ? L"1" : L"0");
      DWORD_PTR check = 0;
      SendMessageTimeoutW(child, BM_GETCHECK, 0, 0, SMTO_ABORTIFHUNG, 3000, &check);
      Print(key + L".check", std::to_wstring(check));
      if (TakesFocus(child)) {
        const std::wstring name = OneLine(AccessibleName(child));
        Print(key + L".name", name);
        if (name.find_first_not_of(L' ') == std::wstring::npos)
          unnamed += (unnamed.empty() ? L"" : L" ") + std::to_wstring(GetDlgCtrlID(child));
      }
    }
    Print(L"children", order);
    Print(L"unnamed", unnamed);
  }

  void WindowGone(const std::wstring& title, DWORD ms) {
    const ULONGLONG deadline = GetTickCount64() + ms;
    EnterDesktop(deadline);
    while (FindWindowW(nullptr, title.c_str())) {
      if (Expired(deadline))
        throw Failure{L"the window titled \"" + title + L"\" stays after " + std::to_wstring(ms) + L" ms"};
      Sleep(50);
    }
  }

  void Mouse(const std::wstring& title, int id, const std::wstring& action) {
    if (action != L"move" && action != L"click") throw UsageError{L"unknown mouse action: " + action};
    HWND control = GetDlgItem(Top(title, 2000), id);
    if (!control) throw Failure{L"no control with id " + std::to_wstring(id)};
    RECT rect{};
    GetWindowRect(control, &rect);
    MovePointer({(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2});
    if (action == L"click") {
      INPUT inputs[2] = {};
      inputs[0].type = inputs[1].type = INPUT_MOUSE;
      inputs[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
      inputs[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
      if (SendInput(2, inputs, sizeof(INPUT)) != 2)
        throw Failure{L"SendInput failed: " + std::to_wstring(GetLastError())};
    }
  }

  // Absolute input runs from 0 to 65536 across the screen, rounded down by
  // the receiver: round up so that the pointer lands on the pixel meant.
  static void SendPointerTo(POINT target) {
    const LONG width = GetSystemMetrics(SM_CXSCREEN), height = GetSystemMetrics(SM_CYSCREEN);
    INPUT move{};
    move.type = INPUT_MOUSE;
    move.mi.dx = (target.x * 65536 + width - 1) / width;
    move.mi.dy = (target.y * 65536 + height - 1) / height;
    move.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    if (SendInput(1, &move, sizeof move) != 1)
      throw Failure{L"SendInput failed: " + std::to_wstring(GetLastError())};
  }

  // Wine may replay, after our move, the pointer position that this process
  // found at its start (the previous step's): move again until the pointer
  // stays where it was sent. While a menu is open the pointer may not follow
  // at all: bestEffort then goes on after a while.
  static void MovePointer(POINT target, bool bestEffort = false) {
    const ULONGLONG deadline = GetTickCount64() + (bestEffort ? 1000 : 3000);
    ULONGLONG settledSince = GetTickCount64();
    for (;;) {
      POINT now{};
      GetCursorPos(&now);
      if (now.x != target.x || now.y != target.y) {
        SendPointerTo(target);
        settledSince = GetTickCount64();
      } else if (GetTickCount64() - settledSince >= 300) {
        return;
      }
      if (Expired(deadline)) {
        if (!bestEffort) throw Failure{L"the pointer does not stay where it was moved"};
        return;
      }
      Sleep(20);
    }
  }

  // Run by the probe once the hook is gone (probe_protocol.h says why).
  std::wstring DpiChange(const std::wstring& title, unsigned dpi) {
    HWND top = Top(title, 2000);
    const auto runner = reinterpret_cast<HWND>(
        static_cast<UINT_PTR>(std::wcstoull(Query(adrelo_probe::kDpiChange, top, dpi).c_str(), nullptr, 10)));
    if (!IsWindow(runner)) throw Failure{L"the probe made no window to run the DPI changes"};
    UnhookThreadOf(top);
    reply_.clear();
    replyKind_ = 0;
    if (!SendMessageTimeoutW(runner, adrelo_probe::kRunDpiChanges, reinterpret_cast<WPARAM>(replyWindow_), 0,
                             SMTO_ABORTIFHUNG, kWorkAnswerMs, nullptr) ||
        replyKind_ != adrelo_probe::kRunDpiChanges)
      throw Failure{L"the DPI changes were not done within " + std::to_wstring(kWorkAnswerMs) + L" ms"};
    return reply_;
  }

  std::wstring Looks(const std::wstring& title) {
    HWND top = Top(title, 2000);
    return Query(adrelo_probe::kFonts, top) + Query(adrelo_probe::kLooks, top);
  }

  void WaitColour(const std::wstring& title, int id, const std::wstring& colour, DWORD ms) {
    const ULONGLONG deadline = GetTickCount64() + ms;
    const std::wstring wanted = L"colour.id" + std::to_wstring(id) + L'=' + colour + L'\n';
    std::wstring looks = Looks(title);
    while (looks.find(wanted) == std::wstring::npos) {
      if (Expired(deadline))
        throw Failure{L"control " + std::to_wstring(id) + L" is not coloured " + colour +
                      L" within " + std::to_wstring(ms) + L" ms"};
      Sleep(50);
      looks = Looks(title);
    }
    WriteUtf8(GetStdHandle(STD_OUTPUT_HANDLE), looks);
  }

  // ---- Soak: one action many times in a tight loop; what the program holds ----
  // Wine 8's GetProcessHandleCount is a stub that answers 0, so the kernel
  // handles are counted in the system's handle list, which Wine makes from
  // its server's handle tables. GDI and USER objects come from the probe.
  void Resources() {
    DWORD processId = 0;
    GetWindowThreadProcessId(Main(), &processId);
    struct HandleEntry {
      ULONG ownerPid;
      BYTE objectType;
      BYTE flags;
      USHORT value;
      PVOID object;
      ULONG access;
    };
    struct HandleList {
      ULONG count;
      HandleEntry entries[1];
    };
    std::vector<ULONG_PTR> buffer(kHandleListWords);
    const auto query = [&] {
      return NtQuerySystemInformation(
          static_cast<SYSTEM_INFORMATION_CLASS>(kSystemHandleInformation), buffer.data(),
          static_cast<ULONG>(buffer.size() * sizeof(ULONG_PTR)), nullptr);
    };
    NTSTATUS status;
    while ((status = query()) == kStatusInfoLengthMismatch) buffer.resize(buffer.size() * 2);
    if (status != 0) throw Failure{L"no system handle list: " + Hex(static_cast<DWORD>(status))};
    const auto* list = reinterpret_cast<const HandleList*>(buffer.data());
    const auto handles =
        std::count_if(list->entries, list->entries + list->count,
                      [&](const HandleEntry& entry) { return entry.ownerPid == processId; });
    if (handles == 0) throw Failure{L"the program holds no handle in the system's list"};
    Print(L"res.handles", std::to_wstring(handles));
    const std::wstring objects = Query(adrelo_probe::kResources);
    if (objects.find(L"res.gdi=-1") != std::wstring::npos)
      throw Failure{L"the probe finds no live GDI handle table"};
    WriteUtf8(GetStdHandle(STD_OUTPUT_HANDLE), objects);
  }

  void FillDcCache(unsigned count) {
    const std::wstring answer = Query(adrelo_probe::kFillDcCache, nullptr, count);
    if (answer != L"ok") throw Failure{L"the DC cache is not filled: " + answer};
  }

  void SoakTicks(unsigned count) {
    HWND main = Main();
    for (unsigned i = 1; i <= count; ++i)
      if (!SendMessageTimeoutW(main, WM_TIMER, IDT_Timer1, 0, SMTO_ABORTIFHUNG, kSoakAnswerMs,
                               nullptr))
        throw Failure{L"no answer to refresh tick " + std::to_wstring(i)};
  }

  // In the open settings dialog; each Apply must recaption it.
  void SoakLanguage(unsigned count) {
    HWND dialog = WaitOwned(kDefaultWaitMs);
    std::wstring title = ControlText(dialog);
    for (unsigned i = 1; i <= count; ++i) {
      SoakClick(dialog, i % 2 ? IDC_Option3 : IDC_Option4);  // Bulgarian, English
      SoakClick(dialog, IDC_Command3);
      const std::wstring previous = std::exchange(title, ControlText(dialog));
      if (title == previous)
        throw Failure{L"Apply " + std::to_wstring(i) + L" left the title " + title};
    }
  }

  // WHAT opened and closed again, count times: the notification icon's menu
  // (tray), the host field's (text1) or the address list's (list1), each
  // ended as a click elsewhere ends it, or the About window (about).
  void SoakOpen(const std::wstring& what, unsigned count) {
    HWND main = Main();
    const DWORD thread = GetWindowThreadProcessId(main, nullptr);
    for (unsigned i = 1; i <= count; ++i) {
      const std::wstring which = what + L' ' + std::to_wstring(i);
      if (what == L"about") {
        PostMessageW(main, WM_COMMAND, IDM_mnuAbout, 0);
        HWND about = nullptr;
        SoakWait(which + L" does not open", [&] { return (about = FindOwned()) != nullptr; });
        PostMessageW(about, WM_CLOSE, 0, 0);
        SoakWait(which + L" stays open", [&] { return !IsWindow(about) && IsWindowEnabled(main); });
        continue;
      }
      if (what == L"tray") PostMessageW(main, WM_APP_TRAY_NOTIFY, TRAY_ICON_UID, WM_RBUTTONUP);
      else if (what == L"text1") PostMessageW(GetDlgItem(main, IDC_Text1), WM_RBUTTONUP, 0, 0);
      // The list's menu is for a selected entry, which a tick clears: the
      // probe selects one and right-clicks in one go.
      else if (what == L"list1") Query(adrelo_probe::kListMenu);
      else throw UsageError{L"nothing to open called " + what};
      SoakWait(which + L": no menu", [&] { return OpenMenuOf(thread) != nullptr; });
      // A menu's loop ends on a WM_CANCELMODE in its thread's queue.
      PostMessageW(main, WM_CANCELMODE, 0, 0);
      SoakWait(which + L": the menu stays open", [&] { return OpenMenuOf(thread) == nullptr; });
    }
  }

 private:
  static constexpr DWORD kSoakAnswerMs = 5000;
  static constexpr int kSystemHandleInformation = 16;
  static constexpr size_t kHandleListWords = 1 << 14;  // to begin with: doubled until all fit
  static constexpr NTSTATUS kStatusInfoLengthMismatch = static_cast<NTSTATUS>(0xC0000004);

  template <class Done>
  static void SoakWait(const std::wstring& failure, Done done) {
    const ULONGLONG deadline = GetTickCount64() + kSoakAnswerMs;
    while (!done()) {
      if (Expired(deadline))
        throw Failure{failure + L" within " + std::to_wstring(kSoakAnswerMs) + L" ms"};
      Sleep(1);
    }
  }

  static void SoakClick(HWND dialog, int id) {
    if (!SendMessageTimeoutW(GetDlgItem(dialog, id), BM_CLICK, 0, 0, SMTO_ABORTIFHUNG,
                             kSoakAnswerMs, nullptr))
      throw Failure{L"no answer to BM_CLICK on " + std::to_wstring(id)};
  }

  static HWND OpenMenuOf(DWORD thread) {
    for (HWND menu = FindWindowExW(nullptr, nullptr, L"#32768", nullptr); menu;
         menu = FindWindowExW(nullptr, menu, L"#32768", nullptr))
      if (IsWindowVisible(menu) && GetWindowThreadProcessId(menu, nullptr) == thread) return menu;
    return nullptr;
  }

 public:
  // ---- end of the soak's steps ----------------------------------------------

  void TakeReply(const COPYDATASTRUCT& data) {
    reply_.assign(static_cast<const wchar_t*>(data.lpData), data.cbData / sizeof(wchar_t));
    replyKind_ = data.dwData;
  }

 private:
  // Windows of the program are found only from a thread on the same desktop:
  // the program runs in explorer's virtual desktop, this console process
  // starts on the default one.
  void EnterDesktop(ULONGLONG deadline) {
    if (onDesktop_ || desktopName_.empty()) return;
    HDESK desktop = nullptr;
    while (!(desktop = OpenDesktopW(desktopName_.c_str(), 0, FALSE, GENERIC_ALL))) {
      if (Expired(deadline)) throw Failure{L"no desktop named " + desktopName_};
      Sleep(50);
    }
    if (!SetThreadDesktop(desktop))
      throw Failure{L"SetThreadDesktop failed: " + std::to_wstring(GetLastError())};
    onDesktop_ = true;
  }

  HWND Main() {
    if (!main_ || !IsWindow(main_)) WaitWindow(kDefaultWaitMs);
    return main_;
  }

  HWND FindMessageBox(const std::wstring& title, DWORD ms) {
    const ULONGLONG deadline = GetTickCount64() + ms;
    EnterDesktop(deadline);
    for (;;) {
      HWND box = FindWindowW(L"#32770", title.c_str());
      if (box && IsWindowVisible(box)) return box;
      if (Expired(deadline))
        throw Failure{L"no message box titled \"" + title + L"\" within " + std::to_wstring(ms) +
                      L" ms"};
      Sleep(50);
    }
  }

  struct TrayIcon {
    RECT rect;
    std::wstring image;  // <side the tray draws at> <1 when drawn from the program's image of that side>
    std::wstring tip;
  };

  // withImages: each icon's pixels compared as well (slower; the `tray` step's).
  std::vector<TrayIcon> TrayIcons(bool withImages = false) {
    const ULONGLONG deadline = GetTickCount64() + kDefaultWaitMs;
    EnterDesktop(deadline);
    HWND tray = FindWindowW(L"Shell_TrayWnd", nullptr);
    if (!tray) throw Failure{L"no Shell_TrayWnd on the desktop"};
    std::vector<TrayIcon> icons;
    const std::wstring answer = QueryWindow(tray, adrelo_probe::kTray, withImages ? 1 : 0);
    size_t start = 0;
    while (start < answer.size()) {
      size_t end = answer.find(L'\n', start);
      if (end == std::wstring::npos) end = answer.size();
      const std::wstring line = answer.substr(start, end - start);
      TrayIcon icon{};
      int side = 0, same = 0, used = 0;
      if (swscanf(line.c_str(), L"%ld %ld %ld %ld %d %d %n", &icon.rect.left, &icon.rect.top,
                  &icon.rect.right, &icon.rect.bottom, &side, &same, &used) == 6) {
        icon.image = std::to_wstring(side) + L' ' + std::to_wstring(same);
        icon.tip = line.substr(static_cast<size_t>(used));
        icons.push_back(icon);
      }
      start = end + 1;
    }
    return icons;
  }

  static bool HasTip(const std::vector<TrayIcon>& icons, const std::wstring& tip) {
    for (const TrayIcon& icon : icons)
      if (icon.tip == tip) return true;
    return false;
  }

  static std::wstring RectText(const RECT& rect) {
    return std::to_wstring(rect.left) + L' ' + std::to_wstring(rect.top) + L' ' +
           std::to_wstring(rect.right) + L' ' + std::to_wstring(rect.bottom);
  }

  void ClickAt(int x, int y, const std::wstring& button) {
    const ULONGLONG deadline = GetTickCount64() + kDefaultWaitMs;
    EnterDesktop(deadline);
    MovePointer({x, y}, true);
    std::vector<INPUT> inputs;
    auto press = [&](DWORD down, DWORD up) {
      INPUT input{};
      input.type = INPUT_MOUSE;
      input.mi.dwFlags = down;
      inputs.push_back(input);
      input.mi.dwFlags = up;
      inputs.push_back(input);
    };
    if (button == L"left") press(MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP);
    else if (button == L"right") press(MOUSEEVENTF_RIGHTDOWN, MOUSEEVENTF_RIGHTUP);
    else if (button == L"double") {
      press(MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP);
      press(MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP);
    } else throw UsageError{L"unknown button: " + button};
    const UINT sent = SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
    if (sent != inputs.size()) throw Failure{L"SendInput sent " + std::to_wstring(sent) + L" of " +
                                             std::to_wstring(inputs.size()) + L" events"};
  }

  static void ListEntries(HWND list, const std::wstring& name) {
    DWORD_PTR count = 0;
    if (!SendMessageTimeoutW(list, LB_GETCOUNT, 0, 0, SMTO_ABORTIFHUNG, 3000, &count))
      throw Failure{L"no answer to LB_GETCOUNT"};
    Print(name + L".count", std::to_wstring(count));
    DWORD_PTR selected = 0;
    SendMessageTimeoutW(list, LB_GETCURSEL, 0, 0, SMTO_ABORTIFHUNG, 3000, &selected);
    Print(name + L".selected",
          static_cast<LRESULT>(selected) == LB_ERR ? L"" : std::to_wstring(selected));
    for (DWORD_PTR i = 0; i < count; ++i) {
      DWORD_PTR length = 0;
      SendMessageTimeoutW(list, LB_GETTEXTLEN, i, 0, SMTO_ABORTIFHUNG, 3000, &length);
      std::wstring entry(length + 1, L'\0');
      DWORD_PTR copied = 0;
      if (!SendMessageTimeoutW(list, LB_GETTEXT, i, reinterpret_cast<LPARAM>(entry.data()),
                               SMTO_ABORTIFHUNG, 3000, &copied) ||
          copied == static_cast<DWORD_PTR>(LB_ERR))
        throw Failure{L"LB_GETTEXT failed for entry " + std::to_wstring(i)};
      entry.resize(copied);
      Print(name + L'.' + std::to_wstring(i), OneLine(entry));
    }
  }

  static void Foreground(HWND window) {
    const ULONGLONG deadline = GetTickCount64() + 3000;
    while (GetForegroundWindow() != window) {
      SetForegroundWindow(window);
      if (Expired(deadline)) throw Failure{L"the window does not come to the foreground"};
      Sleep(50);
    }
  }

  static void AddChord(const std::wstring& chord, std::vector<INPUT>& inputs) {
    std::vector<WORD> keys;
    size_t start = 0;
    for (;;) {
      const size_t plus = chord.find(L'+', start);
      keys.push_back(VirtualKey(chord.substr(start, plus == std::wstring::npos
                                                        ? std::wstring::npos
                                                        : plus - start)));
      if (plus == std::wstring::npos) break;
      start = plus + 1;
    }
    auto add = [&](WORD key, bool up) {
      INPUT input{};
      input.type = INPUT_KEYBOARD;
      input.ki.wVk = key;
      input.ki.wScan = static_cast<WORD>(MapVirtualKeyW(key, MAPVK_VK_TO_VSC));
      input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
      inputs.push_back(input);
    };
    for (WORD key : keys) add(key, false);
    for (auto key = keys.rbegin(); key != keys.rend(); ++key) add(*key, true);
  }

  static WORD VirtualKey(const std::wstring& name) {
    if (name == L"Ctrl") return VK_CONTROL;
    if (name == L"Alt") return VK_MENU;
    if (name == L"Shift") return VK_SHIFT;
    if (name == L"Esc") return VK_ESCAPE;
    if (name == L"Enter") return VK_RETURN;
    if (name == L"Tab") return VK_TAB;
    if (name == L"Space") return VK_SPACE;
    if (name == L"Up") return VK_UP;
    if (name == L"Down") return VK_DOWN;
    if (name == L"Left") return VK_LEFT;
    if (name == L"Right") return VK_RIGHT;
    if (name == L"Apps") return VK_APPS;
    if (name.size() >= 2 && name[0] == L'F') {
      const int number = _wtoi(name.c_str() + 1);
      if (number >= 1 && number <= 12) return static_cast<WORD>(VK_F1 + number - 1);
    }
    if (name.size() == 1 && ((name[0] >= L'A' && name[0] <= L'Z') || (name[0] >= L'0' && name[0] <= L'9')))
      return name[0];
    throw UsageError{L"unknown key: " + name};
  }

  // Sent to target (the main window unless given): the probe's hook sees
  // every window of the program's UI thread and answers for that one.
  std::wstring Query(adrelo_probe::Query kind, HWND target = nullptr, unsigned parameter = 0) {
    ProbeAttach();
    return QueryWindow(target ? target : main_, kind, parameter);
  }

  // The probe, hooked into the thread of target, answers a query sent to it.
  std::wstring QueryWindow(HWND target, adrelo_probe::Query kind, unsigned parameter = 0) {
    HookThreadOf(target);
    static const UINT message = RegisterWindowMessageW(adrelo_probe::kQueryMessage);
    reply_.clear();
    replyKind_ = 0;
    if (!SendMessageTimeoutW(target, message, reinterpret_cast<WPARAM>(replyWindow_),
                             kind | parameter << adrelo_probe::kQueryParameterShift,
                             // Not SMTO_ABORTIFHUNG: a thread that a busy machine kept from
                             // its queue for 5 s is slow, not hung.
                             SMTO_NORMAL, kWorkAnswerMs, nullptr))
      throw Failure{L"no answer to the probe query"};
    if (replyKind_ != kind) throw Failure{L"the probe did not answer query " + std::to_wstring(kind)};
    return reply_;
  }

  void UnhookThreadOf(HWND target) {
    const auto hook = hooks_.find(GetWindowThreadProcessId(target, nullptr));
    if (hook == hooks_.end()) return;
    UnhookWindowsHookEx(hook->second);
    hooks_.erase(hook);
  }

  void HookThreadOf(HWND target) {
    const DWORD thread = GetWindowThreadProcessId(target, nullptr);
    if (!thread) throw Failure{L"no thread for the window to probe"};
    if (hooks_.count(thread)) return;
    if (!probe_) {
      wchar_t path[MAX_PATH] = {};
      GetModuleFileNameW(nullptr, path, MAX_PATH);
      std::wstring dll = path;
      dll.resize(dll.find_last_of(L"\\/") + 1);
      dll += L"adrelo_probe.dll";
      probe_ = LoadLibraryW(dll.c_str());
      if (!probe_) throw Failure{L"cannot load " + dll};
      probeProc_ = reinterpret_cast<HOOKPROC>(
          reinterpret_cast<void*>(GetProcAddress(probe_, adrelo_probe::kHookExport)));
      if (!probeProc_) throw Failure{L"adrelo_probe.dll exports no hook procedure"};

      WNDCLASSW windowClass{};
      windowClass.lpfnWndProc = ReplyProc;
      windowClass.hInstance = GetModuleHandleW(nullptr);
      windowClass.lpszClassName = L"AdreloE2EDriverReply";
      RegisterClassW(&windowClass);
      replyWindow_ = CreateWindowW(windowClass.lpszClassName, L"", 0, 0, 0, 0, 0, HWND_MESSAGE,
                                   nullptr, windowClass.hInstance, nullptr);
      if (!replyWindow_) throw Failure{L"cannot create the reply window"};
    }
    HHOOK hook = SetWindowsHookExW(WH_CALLWNDPROC, probeProc_, probe_, thread);
    if (!hook) throw Failure{L"SetWindowsHookEx failed: " + std::to_wstring(GetLastError())};
    hooks_[thread] = hook;
  }

  static void PrintLines(const std::wstring& key, const std::wstring& text) {
    size_t start = 0;
    while (start < text.size()) {
      size_t end = text.find(L'\n', start);
      if (end == std::wstring::npos) end = text.size();
      Print(key, text.substr(start, end - start));
      start = end + 1;
    }
  }

  // ---- The window the main window owns ---------------------------------------
 public:
  void OwnedWait(DWORD ms) {
    HWND owned = WaitOwned(ms);
    Print(L"owned.title", ControlText(owned));
    Print(L"owned.class", ClassOf(owned));
  }

  void OwnedGone(DWORD ms) {
    const ULONGLONG deadline = GetTickCount64() + ms;
    while (FindOwned()) {
      if (Expired(deadline)) throw Failure{L"the owned window stays open"};
      Sleep(50);
    }
  }

  void OwnedState() {
    HWND owned = WaitOwned(kDefaultWaitMs);
    Print(L"owned.title", ControlText(owned));
    Print(L"owned.class", ClassOf(owned));
    Print(L"owned.style", Hex(GetWindowLongW(owned, GWL_STYLE)));
    Print(L"owned.exstyle", Hex(GetWindowLongW(owned, GWL_EXSTYLE)));
    RECT frame{};
    GetWindowRect(owned, &frame);
    Print(L"owned.rect", RectText(frame));
    RECT client{};
    GetClientRect(owned, &client);
    Print(L"owned.client", std::to_wstring(client.right) + L' ' + std::to_wstring(client.bottom));
    Print(L"main.enabled", IsWindowEnabled(Main()) ? L"1" : L"0");
    GUITHREADINFO thread{};
    thread.cbSize = sizeof thread;
    GetGUIThreadInfo(GetWindowThreadProcessId(owned, nullptr), &thread);
    Print(L"owned.focus", thread.hwndFocus ? std::to_wstring(GetDlgCtrlID(thread.hwndFocus)) : L"");
    PrintChildren(owned);
  }

  void OwnedFonts() {
    const std::wstring answer = Query(adrelo_probe::kFonts, WaitOwned(kDefaultWaitMs));
    WriteUtf8(GetStdHandle(STD_OUTPUT_HANDLE), answer);
  }

  void OwnedClick(int id) {
    HWND child = GetDlgItem(WaitOwned(kDefaultWaitMs), id);
    if (!child) throw Failure{L"the owned window has no child " + std::to_wstring(id)};
    // Sent, so that the click's work is done when the step ends.
    if (!SendMessageTimeoutW(child, BM_CLICK, 0, 0, SMTO_ABORTIFHUNG, 5000, nullptr))
      throw Failure{L"no answer to BM_CLICK on " + std::to_wstring(id)};
  }

  void OwnedKeys(const std::wstring& list) {
    HWND owned = WaitOwned(kDefaultWaitMs);
    const ULONGLONG deadline = GetTickCount64() + 3000;
    while (GetForegroundWindow() != owned) {
      SetForegroundWindow(owned);
      if (Expired(deadline)) throw Failure{L"the owned window does not come to the foreground"};
      Sleep(50);
    }
    SendKeys(list);
  }

  void OwnedFocus(int id, DWORD ms) { WaitFocus(WaitOwned(ms), id, ms); }
  void MainFocus(int id, DWORD ms) { WaitFocus(Main(), id, ms); }

  // Until the child id of top has the focus (keys are sent, not handled, when
  // SendInput returns).
  void WaitFocus(HWND top, int id, DWORD ms) {
    const ULONGLONG deadline = GetTickCount64() + ms;
    for (;;) {
      GUITHREADINFO thread{};
      thread.cbSize = sizeof thread;
      GetGUIThreadInfo(GetWindowThreadProcessId(top, nullptr), &thread);
      HWND focus = thread.hwndFocus;
      if (focus && GetParent(focus) == top && GetDlgCtrlID(focus) == id) return;
      if (Expired(deadline)) throw Failure{L"child " + std::to_wstring(id) + L" has no focus"};
      Sleep(50);
    }
  }

  void OwnedCloseBox() {
    HWND owned = WaitOwned(kDefaultWaitMs);
    TITLEBARINFO bar{};
    bar.cbSize = sizeof bar;
    if (!GetTitleBarInfo(owned, &bar)) throw Failure{L"the owned window has no title bar"};
    // The close box is the title bar's rightmost button; the window itself
    // confirms the point.
    const int x = bar.rcTitleBar.right - GetSystemMetrics(SM_CXSIZE) / 2;
    const int y = (bar.rcTitleBar.top + bar.rcTitleBar.bottom) / 2;
    DWORD_PTR hit = 0;
    SendMessageTimeoutW(owned, WM_NCHITTEST, 0, MAKELPARAM(x, y), SMTO_ABORTIFHUNG, 3000, &hit);
    if (hit != HTCLOSE)
      throw Failure{L"no close box at " + std::to_wstring(x) + L"," + std::to_wstring(y)};
    INPUT inputs[3] = {};
    for (INPUT& input : inputs) {
      input.type = INPUT_MOUSE;
      // Absolute coordinates run from 0 to 65535 across the screen.
      input.mi.dx = MulDiv(x, 65535, GetSystemMetrics(SM_CXSCREEN) - 1);
      input.mi.dy = MulDiv(y, 65535, GetSystemMetrics(SM_CYSCREEN) - 1);
      input.mi.dwFlags = MOUSEEVENTF_ABSOLUTE | MOUSEEVENTF_MOVE;
    }
    inputs[1].mi.dwFlags |= MOUSEEVENTF_LEFTDOWN;
    inputs[2].mi.dwFlags |= MOUSEEVENTF_LEFTUP;
    if (SendInput(3, inputs, sizeof(INPUT)) != 3) throw Failure{L"SendInput failed for the click"};
  }

 private:
  struct OwnedSearch {
    HWND owner, found;
  };
  // A menu's window counts for none: under load the menu that opened a
  // dialog is still shown, owned by the main window, when the search begins.
  static BOOL CALLBACK MatchOwned(HWND window, LPARAM param) {
    auto* search = reinterpret_cast<OwnedSearch*>(param);
    if (GetWindow(window, GW_OWNER) != search->owner || !IsWindowVisible(window) ||
        IsClass(window, L"#32768"))
      return TRUE;
    search->found = window;
    return FALSE;
  }

  HWND FindOwned() {
    OwnedSearch search{Main(), nullptr};
    EnumWindows(MatchOwned, reinterpret_cast<LPARAM>(&search));
    return search.found;
  }

  HWND WaitOwned(DWORD ms) {
    const ULONGLONG deadline = GetTickCount64() + ms;
    for (;;) {
      if (HWND owned = FindOwned()) return owned;
      if (Expired(deadline))
        throw Failure{L"no window owned by the main window within " + std::to_wstring(ms) + L" ms"};
      Sleep(50);
    }
  }
  // ---- end of the owned window's steps ---------------------------------------

  std::wstring desktopName_ = L"shell";
  bool onDesktop_ = false;
  HWND main_ = nullptr;
  HWND replyWindow_ = nullptr;
  HMODULE probe_ = nullptr;
  HOOKPROC probeProc_ = nullptr;
  std::map<DWORD, HHOOK> hooks_;  // by thread
  bool attached_ = false;
  // hold-clipboard's thread, and what it shares with the driver.
  HANDLE holder_ = nullptr;
  HANDLE holdOpened_ = nullptr;
  DWORD holdMs_ = 0;
  bool holdOk_ = false;  // set before holdOpened_ is signalled
  std::wstring reply_;
  ULONG_PTR replyKind_ = 0;
};

Driver driver;

LRESULT CALLBACK ReplyProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_COPYDATA) {
    driver.TakeReply(*reinterpret_cast<const COPYDATASTRUCT*>(lParam));
    return TRUE;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

int Run(int argc, wchar_t** argv) {
  int i = 1;
  auto next = [&](const wchar_t* what) -> std::wstring {
    if (i >= argc) throw UsageError{std::wstring(L"missing ") + what};
    return argv[i++];
  };
  if (i < argc && std::wstring(argv[i]) == L"--desktop") {
    ++i;
    driver.SetDesktop(next(L"desktop name"));
  }
  if (i >= argc) throw UsageError{L"no step given"};
  while (i < argc) {
    const std::wstring step = argv[i++];
    if (step == L"wait-window") driver.WaitWindow(ParseMs(next(L"milliseconds")));
    else if (step == L"state") driver.State();
    else if (step == L"clipboard") driver.Clipboard();
    else if (step == L"resolve") Driver::Resolve();
    else if (step == L"msgbox") {
      const std::wstring title = next(L"title");
      driver.MessageBoxText(title, ParseMs(next(L"milliseconds")));
    } else if (step == L"msgbox-ok") driver.MessageBoxOk(next(L"title"));
    else if (step == L"syscommand") driver.SysCommand(next(L"command"));
    else if (step == L"keys") driver.Keys(next(L"keys"));
    else if (step == L"probe-attach") driver.ProbeAttach();
    else if (step == L"lookups-reversed") driver.LookupsReversed();
    else if (step == L"menu") driver.Menu();
    else if (step == L"fonts") driver.Fonts();
    else if (step == L"commands") {
      const auto wanted = static_cast<unsigned>(ParseMs(next(L"count")));
      driver.Commands(wanted, ParseMs(next(L"milliseconds")));
    } else if (step == L"tray") driver.Tray();
    else if (step == L"tray-wait") {
      const std::wstring tip = next(L"tooltip");
      driver.TrayWait(tip, ParseMs(next(L"milliseconds")));
    } else if (step == L"tray-click") {
      const auto index = static_cast<unsigned>(ParseMs(next(L"icon index")));
      driver.TrayClick(index, next(L"button"));
    } else if (step == L"tray-hover") {
      const auto index = static_cast<unsigned>(ParseMs(next(L"icon index")));
      driver.TrayHover(index, ParseMs(next(L"milliseconds")));
    } else if (step == L"hover-entry") {
      const int entry = static_cast<int>(ParseMs(next(L"entry")));
      driver.HoverEntry(entry, ParseMs(next(L"milliseconds")));
    } else if (step == L"list-tip-wait") {
      const std::wstring text = next(L"text");
      driver.ListTipWait(text, ParseMs(next(L"milliseconds")));
    }
    else if (step == L"popup") driver.Popup(ParseMs(next(L"milliseconds")));
    else if (step == L"popup-click") driver.PopupClick(next(L"command id"));
    else if (step == L"click") {
      const int x = static_cast<int>(ParseMs(next(L"x")));
      const int y = static_cast<int>(ParseMs(next(L"y")));
      driver.Click(x, y, next(L"button"));
    } else if (step == L"click-control") {
      const int id = static_cast<int>(ParseMs(next(L"control id")));
      const std::wstring button = next(L"button");
      int entry = -1;
      if (i < argc && iswdigit(argv[i][0])) entry = static_cast<int>(ParseMs(next(L"entry")));
      driver.ClickControl(id, button, entry);
    } else if (step == L"move") {
      const int x = static_cast<int>(ParseMs(next(L"x")));
      driver.Move(x, static_cast<int>(ParseMs(next(L"y"))));
    } else if (step == L"notify-delete") driver.NotifyDelete();
    else if (step == L"post") {
      const std::wstring message = next(L"message");
      WPARAM wParam = 0;
      LPARAM lParam = 0;
      if (i + 1 < argc && iswdigit(argv[i][0])) {
        wParam = ParseMs(next(L"wParam"));
        lParam = static_cast<LPARAM>(ParseMs(next(L"lParam")));
      }
      driver.Post(message, wParam, lParam);
    } else if (step == L"wait-gone") driver.WaitGone(ParseMs(next(L"milliseconds")));
    else if (step == L"launch") driver.Launch(next(L"program"));
    else if (step == L"wait-foreground") {
      const std::wstring title = next(L"title");
      driver.WaitForeground(title, ParseMs(next(L"milliseconds")));
    } else if (step == L"lock-access") driver.LockAccess(next(L"access list"));
    else if (step == L"second-start") {
      const std::wstring program = next(L"program");
      driver.SecondStart(program, ParseMs(next(L"milliseconds")));
    }
    else if (step == L"hold-clipboard") driver.HoldClipboard(ParseMs(next(L"milliseconds")));
    else if (step == L"answer-times") driver.AnswerTimes(ParseMs(next(L"milliseconds")));
    else if (step == L"store-row") {
      const std::wstring file = next(L"file");
      PrintLines([&] { return adrelo_driver::StoreSettingsRow(file, ParseMs(next(L"line"))); });
    } else if (step == L"settings") PrintLines(adrelo_driver::StoredSettings);
    else if (step == L"key-access") {
      const std::wstring key = next(L"key");
      PrintLines([&] { return adrelo_driver::SetKeyAccess(key, next(L"access list")); });
    }
    else if (step == L"msgbox-watch") {
      const std::wstring title = next(L"title");
      driver.MessageBoxWatch(title, ParseMs(next(L"milliseconds")));
    } else if (step == L"clipboard-wait") {
      const std::wstring text = next(L"text");
      driver.ClipboardWait(text, ParseMs(next(L"milliseconds")));
    } else if (step == L"wait-state") {
      const int visible = static_cast<int>(ParseMs(next(L"visible")));
      const int iconic = static_cast<int>(ParseMs(next(L"iconic")));
      driver.WaitState(visible, iconic, ParseMs(next(L"milliseconds")));
    } else if (step == L"sleep") Sleep(ParseMs(next(L"milliseconds")));
    else if (step == L"popup-none") driver.PopupNone(ParseMs(next(L"milliseconds")));
    else if (step == L"wait-tick") driver.WaitTick(ParseMs(next(L"milliseconds")));
    // The window the main window owns.
    else if (step == L"owned-wait") driver.OwnedWait(ParseMs(next(L"milliseconds")));
    else if (step == L"owned-gone") driver.OwnedGone(ParseMs(next(L"milliseconds")));
    else if (step == L"owned-state") driver.OwnedState();
    else if (step == L"owned-fonts") driver.OwnedFonts();
    else if (step == L"owned-click")
      driver.OwnedClick(static_cast<int>(ParseMs(next(L"control id"))));
    else if (step == L"owned-keys") driver.OwnedKeys(next(L"keys"));
    else if (step == L"focus") {
      const int id = static_cast<int>(ParseMs(next(L"control id")));
      driver.MainFocus(id, ParseMs(next(L"milliseconds")));
    } else if (step == L"owned-focus") {
      const int id = static_cast<int>(ParseMs(next(L"control id")));
      driver.OwnedFocus(id, ParseMs(next(L"milliseconds")));
    } else if (step == L"owned-close-box") driver.OwnedCloseBox();
    else if (step == L"window") {
      const std::wstring title = next(L"title");
      driver.Window(title, ParseMs(next(L"milliseconds")));
    } else if (step == L"window-gone") {
      const std::wstring title = next(L"title");
      driver.WindowGone(title, ParseMs(next(L"milliseconds")));
    } else if (step == L"keys-to") {
      const std::wstring title = next(L"title");
      driver.Keys(next(L"keys"), driver.Top(title, 2000));
    } else if (step == L"syscommand-to") {
      const std::wstring title = next(L"title");
      driver.SysCommand(next(L"command"), driver.Top(title, 2000));
    } else if (step == L"mouse") {
      const std::wstring title = next(L"title");
      const int id = static_cast<int>(ParseMs(next(L"control id")));
      driver.Mouse(title, id, next(L"action"));
    } else if (step == L"dpi-change") {
      const std::wstring title = next(L"title");
      WriteUtf8(GetStdHandle(STD_OUTPUT_HANDLE), driver.DpiChange(title, ParseMs(next(L"dpi"))));
    } else if (step == L"looks") {
      WriteUtf8(GetStdHandle(STD_OUTPUT_HANDLE), driver.Looks(next(L"title")));
    } else if (step == L"wait-colour") {
      const std::wstring title = next(L"title");
      const int id = static_cast<int>(ParseMs(next(L"control id")));
      const std::wstring colour = next(L"colour");
      driver.WaitColour(title, id, colour, ParseMs(next(L"milliseconds")));
    }
    // The soak.
    else if (step == L"resources") driver.Resources();
    else if (step == L"fill-dc-cache") driver.FillDcCache(ParseMs(next(L"count")));
    else if (step == L"soak-ticks") driver.SoakTicks(ParseMs(next(L"count")));
    else if (step == L"soak-language") driver.SoakLanguage(ParseMs(next(L"count")));
    else if (step == L"soak-open") {
      const std::wstring what = next(L"what");
      driver.SoakOpen(what, ParseMs(next(L"count")));
    } else throw UsageError{L"unknown step: " + step};
  }
  driver.WaitHolder();
  return 0;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  try {
    return Run(argc, argv);
  } catch (const Failure& failure) {
    WriteUtf8(GetStdHandle(STD_ERROR_HANDLE), L"adrelo_driver: " + failure.message + L'\n');
    return 1;
  } catch (const UsageError& error) {
    WriteUtf8(GetStdHandle(STD_ERROR_HANDLE), L"adrelo_driver: " + error.message + L'\n');
    return 2;
  }
}
