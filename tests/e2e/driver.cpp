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
//     menu | fonts          the menu tree / the controls' fonts, through the probe
//     commands N MS         wait for N WM_COMMANDs in the probe's log, print all
//   Any top-level window of the program, by its exact title:
//     window TITLE MS       wait until it is visible; print it (top.*: class, style,
//                           owner, client size and origin, focus) and its controls by id
//                           (child.<id>.class|text|rect|style), and main.enabled
//     window-gone TITLE MS  until no window so titled exists
//     keys-to TITLE K[,K...]    as keys, with that window in the foreground
//     syscommand-to TITLE NAME  as syscommand, to that window
//     mouse TITLE ID move|click real mouse at the centre of its control ID
//     looks TITLE           its controls' fonts (font.id<N>=face height weight
//                           charset [underline]) and text colours (colour.id<N>=
//                           0x00bbggrr, as WM_CTLCOLORSTATIC sets them) and the
//                           cursor shown (cursor=hot-x hot-y width mono), via the probe
//     wait-colour TITLE ID COLOUR MS  until control ID's text colour is COLOUR, then looks
#include <winsock2.h>
#include <windows.h>

#include <cstring>
#include <cwchar>
#include <string>
#include <vector>

#include "probe_protocol.h"

namespace {

constexpr wchar_t kMainClass[] = L"AdreloViewerForm1";
constexpr DWORD kDefaultWaitMs = 10000;

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
      if (control.id == IDC_List1) {
        ListEntries(child, control.name);
      } else {
        Print(control.name, OneLine(ControlText(child)));
      }
    }
  }

  void Clipboard() {
    const ULONGLONG deadline = GetTickCount64() + 3000;
    // The program may still hold the clipboard open for a moment.
    while (!OpenClipboard(nullptr)) {
      if (Expired(deadline)) throw Failure{L"the clipboard stays open in another window"};
      Sleep(50);
    }
    std::wstring text;
    bool hasText = false;
    if (HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
      if (const auto* locked = static_cast<const wchar_t*>(GlobalLock(data))) {
        text = locked;
        hasText = true;
        GlobalUnlock(data);
      }
    }
    CloseClipboard();
    Print(L"clipboard.has_text", hasText ? L"1" : L"0");
    Print(L"clipboard", OneLine(text));
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
    for (HWND child = GetWindow(box, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
      const std::wstring kind = ClassOf(child);
      const LONG style = GetWindowLongW(child, GWL_STYLE);
      if (!lstrcmpiW(kind.c_str(), L"Static") && (style & SS_TYPEMASK) != SS_ICON) {
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
    Foreground(target ? target : Main());
    const UINT sent = SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
    if (sent != inputs.size()) throw Failure{L"SendInput sent " + std::to_wstring(sent) + L" of " +
                                             std::to_wstring(inputs.size()) + L" events"};
  }

  void ProbeAttach() {
    if (hook_) return;
    HWND main = Main();
    wchar_t path[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring dll = path;
    dll.resize(dll.find_last_of(L"\\/") + 1);
    dll += L"adrelo_probe.dll";
    HMODULE module = LoadLibraryW(dll.c_str());
    if (!module) throw Failure{L"cannot load " + dll};
    auto proc = reinterpret_cast<HOOKPROC>(
        reinterpret_cast<void*>(GetProcAddress(module, adrelo_probe::kHookExport)));
    if (!proc) throw Failure{L"adrelo_probe.dll exports no hook procedure"};

    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = ReplyProc;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.lpszClassName = L"AdreloE2EDriverReply";
    RegisterClassW(&windowClass);
    replyWindow_ = CreateWindowW(windowClass.lpszClassName, L"", 0, 0, 0, 0, 0, HWND_MESSAGE,
                                 nullptr, windowClass.hInstance, nullptr);
    if (!replyWindow_) throw Failure{L"cannot create the reply window"};

    const DWORD thread = GetWindowThreadProcessId(main, nullptr);
    hook_ = SetWindowsHookExW(WH_CALLWNDPROC, proc, module, thread);
    if (!hook_) throw Failure{L"SetWindowsHookEx failed: " + std::to_wstring(GetLastError())};
    if (Query(adrelo_probe::kAttach) != L"ok") throw Failure{L"the probe does not answer"};
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

  void Window(const std::wstring& title, DWORD ms) {
    HWND top = Top(title, ms);
    Print(L"top.class", ClassOf(top));
    Print(L"top.style", Hex(GetWindowLongW(top, GWL_STYLE)));
    Print(L"top.exstyle", Hex(GetWindowLongW(top, GWL_EXSTYLE)));
    Print(L"top.owned_by_main", GetWindow(top, GW_OWNER) == Main() ? L"1" : L"0");
    RECT client{};
    GetClientRect(top, &client);
    Print(L"top.client.size", std::to_wstring(client.right) + L' ' + std::to_wstring(client.bottom));
    POINT origin{};
    ClientToScreen(top, &origin);
    Print(L"top.client.origin", std::to_wstring(origin.x) + L' ' + std::to_wstring(origin.y));
    GUITHREADINFO gui{};
    gui.cbSize = sizeof gui;
    GetGUIThreadInfo(GetWindowThreadProcessId(top, nullptr), &gui);
    Print(L"top.focus", gui.hwndFocus == top         ? L"window"
                        : !gui.hwndFocus             ? L"none"
                        : IsChild(top, gui.hwndFocus) ? L"id" + std::to_wstring(GetDlgCtrlID(gui.hwndFocus))
                                                     : L"elsewhere");
    Print(L"main.enabled", IsWindowEnabled(Main()) ? L"1" : L"0");
    for (HWND child = GetWindow(top, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
      const std::wstring key = L"child." + std::to_wstring(GetDlgCtrlID(child));
      RECT rect{};
      GetWindowRect(child, &rect);
      MapWindowPoints(nullptr, top, reinterpret_cast<POINT*>(&rect), 2);
      Print(key + L".class", ClassOf(child));
      Print(key + L".text", OneLine(ControlText(child)));
      Print(key + L".rect", std::to_wstring(rect.left) + L' ' + std::to_wstring(rect.top) + L' ' +
                                std::to_wstring(rect.right - rect.left) + L' ' +
                                std::to_wstring(rect.bottom - rect.top));
      Print(key + L".style", Hex(GetWindowLongW(child, GWL_STYLE)));
    }
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

  // Wine may replay, after our move, the pointer position that this process
  // found at its start (the previous step's): move again until the pointer
  // stays where it was sent.
  static void MovePointer(POINT target) {
    // Absolute input runs from 0 to 65536 across the screen, rounded down by
    // the receiver: round up so that the pointer lands on the pixel meant.
    const LONG width = GetSystemMetrics(SM_CXSCREEN), height = GetSystemMetrics(SM_CYSCREEN);
    INPUT move{};
    move.type = INPUT_MOUSE;
    move.mi.dx = (target.x * 65536 + width - 1) / width;
    move.mi.dy = (target.y * 65536 + height - 1) / height;
    move.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    const ULONGLONG deadline = GetTickCount64() + 3000;
    ULONGLONG settledSince = GetTickCount64();
    for (;;) {
      POINT now{};
      GetCursorPos(&now);
      if (now.x != target.x || now.y != target.y) {
        if (SendInput(1, &move, sizeof move) != 1)
          throw Failure{L"SendInput failed: " + std::to_wstring(GetLastError())};
        settledSince = GetTickCount64();
      } else if (GetTickCount64() - settledSince >= 300) {
        return;
      }
      if (Expired(deadline)) throw Failure{L"the pointer does not stay where it was moved"};
      Sleep(20);
    }
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

  static void ListEntries(HWND list, const std::wstring& name) {
    DWORD_PTR count = 0;
    if (!SendMessageTimeoutW(list, LB_GETCOUNT, 0, 0, SMTO_ABORTIFHUNG, 3000, &count))
      throw Failure{L"no answer to LB_GETCOUNT"};
    Print(name + L".count", std::to_wstring(count));
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
    if (name == L"Right") return VK_RIGHT;
    if (name == L"Down") return VK_DOWN;
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
  std::wstring Query(adrelo_probe::Query kind, HWND target = nullptr) {
    ProbeAttach();
    static const UINT message = RegisterWindowMessageW(adrelo_probe::kQueryMessage);
    reply_.clear();
    replyKind_ = 0;
    if (!SendMessageTimeoutW(target ? target : main_, message,
                             reinterpret_cast<WPARAM>(replyWindow_), kind,
                             SMTO_ABORTIFHUNG, 5000, nullptr))
      throw Failure{L"no answer to the probe query"};
    if (replyKind_ != kind) throw Failure{L"the probe did not answer query " + std::to_wstring(kind)};
    return reply_;
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

  std::wstring desktopName_ = L"shell";
  bool onDesktop_ = false;
  HWND main_ = nullptr;
  HWND replyWindow_ = nullptr;
  HHOOK hook_ = nullptr;
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
    else if (step == L"menu") driver.Menu();
    else if (step == L"fonts") driver.Fonts();
    else if (step == L"commands") {
      const auto wanted = static_cast<unsigned>(ParseMs(next(L"count")));
      driver.Commands(wanted, ParseMs(next(L"milliseconds")));
    } else if (step == L"window") {
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
    } else if (step == L"looks") {
      WriteUtf8(GetStdHandle(STD_OUTPUT_HANDLE), driver.Looks(next(L"title")));
    } else if (step == L"wait-colour") {
      const std::wstring title = next(L"title");
      const int id = static_cast<int>(ParseMs(next(L"control id")));
      const std::wstring colour = next(L"colour");
      driver.WaitColour(title, id, colour, ParseMs(next(L"milliseconds")));
    } else throw UsageError{L"unknown step: " + step};
  }
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
