// adrelo_bench_probe.exe: measures Adrelo.exe against its references from
// outside, in rounds that interleave the programs, and prints the table of
// docs/performance.md. This process starts each program itself
// (CreateProcess onto explorer's desktop), so start-up is timed from process
// start until the main window is visible with Text1 and List1 filled, with
// no Unix-side loader in between. Then, for the windowed programs: peak
// working set and private bytes; the CPU time of TICKS refresh ticks
// (WM_TIMER with Timer1's id, each sent and its repaint done before the
// next), of the program and of the whole Wine session; the same for as many
// WM_NULLs, the cost of the delivery alone; the memory again; last, the
// program is ended as a user would end it. The start-up rounds that follow
// the full ones time the start-up alone.
//
//   adrelo_bench_probe --desktop NAME --rounds N [--startup-rounds N] --ticks TICKS
//                      --adrelo EXE --reference EXE --manifest EXE --empty EXE
//                      --wineprefix UNIX_PATH --x-server-pid PID --clock-ticks N
//
// Exit status 0 after the table, 1 when a measurement failed (reason on
// stderr), 2 for usage.
#include <windows.h>

#include <psapi.h>

#include <algorithm>
#include <cctype>
#include <cstddef>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <cwchar>
#include <cwctype>
#include <string>
#include <vector>

#include "platform/win32/unique_handle.h"
#include "resources/resource.h"
#include "tests/e2e/probe_protocol.h"

namespace {

constexpr wchar_t kUsage[] =
    L"usage: adrelo_bench_probe --desktop NAME --rounds N [--startup-rounds N] --ticks TICKS "
    L"--adrelo EXE "
    L"--reference EXE --manifest EXE --empty EXE --wineprefix UNIX_PATH --x-server-pid PID "
    L"--clock-ticks PER_SECOND";
constexpr wchar_t kAdreloClass[] = L"AdreloViewerForm1";
constexpr wchar_t kReferenceClass[] = L"AdreloBenchReference";
constexpr DWORD kReadyTimeoutMs = 30000;
constexpr DWORD kPollMs = 50;
constexpr unsigned kWarmUpTicks = 2;
constexpr DWORD kMessageTimeoutMs = 10000;
constexpr DWORD kExitTimeoutMs = 20000;
// After start-up the window paints and settles before memory is read.
constexpr DWORD kSettleMs = 500;
// Between two programs: explorer forgets the last icon, the server its process.
constexpr DWORD kPauseMs = 300;
constexpr double kBytesPerMiB = 1024.0 * 1024.0;

// The targets of docs/performance.md.
constexpr double kStartupTarget = 1.10;
constexpr ULONGLONG kSizeTargetBytes = 200 * 1024;
constexpr double kMemoryTargetMiB = 1000000.0 / kBytesPerMiB;  // 1 MB
constexpr double kRefreshTarget = 1.20;

struct Failure {
  std::wstring message;
};
struct UsageError {
  std::wstring message;
};

struct CloseKernelHandle {
  void operator()(HANDLE handle) const { CloseHandle(handle); }
};
using UniqueKernelHandle = platform::win32::UniqueHandle<HANDLE, CloseKernelHandle>;

void WriteUtf8(HANDLE handle, const std::wstring& text) {
  const int size = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()),
                                       nullptr, 0, nullptr, nullptr);
  std::string bytes(static_cast<std::size_t>(size), '\0');
  WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), bytes.data(), size,
                      nullptr, nullptr);
  DWORD written = 0;
  WriteFile(handle, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
}

void Print(const std::wstring& line) { WriteUtf8(GetStdHandle(STD_OUTPUT_HANDLE), line + L'\n'); }

std::wstring Format(const wchar_t* format, double value) {
  wchar_t buffer[64];
  swprintf(buffer, 64, format, value);
  return buffer;
}

double Milliseconds(LARGE_INTEGER from, LARGE_INTEGER to) {
  static const LONGLONG frequency = [] {
    LARGE_INTEGER value;
    QueryPerformanceFrequency(&value);
    return value.QuadPart;
  }();
  return static_cast<double>(to.QuadPart - from.QuadPart) * 1000.0 / static_cast<double>(frequency);
}

LARGE_INTEGER Now() {
  LARGE_INTEGER value;
  QueryPerformanceCounter(&value);
  return value;
}

bool Expired(ULONGLONG deadline) { return GetTickCount64() >= deadline; }

// ---- the Unix side, through drive Z: --------------------------------------------
// Wine answers GetProcessTimes for the calling process only, and leaves the
// private bytes of another process at 0; the kernel's counters behind both
// (what Wine reports when a process asks about itself) are read here from
// /proc. So is the CPU time of the whole Wine session, where most of a host
// lookup's work runs: wineserver, the device host that answers the network
// queries, explorer, and the X server.

std::string ReadUnixFile(const std::wstring& path) {
  std::wstring windowsPath = L"Z:" + path;
  std::replace(windowsPath.begin(), windowsPath.end(), L'/', L'\\');
  UniqueKernelHandle file(CreateFileW(windowsPath.c_str(), GENERIC_READ,
                                      FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0,
                                      nullptr));
  if (file.get() == INVALID_HANDLE_VALUE) {
    file.release();
    return {};
  }
  std::string text;
  char buffer[4096];
  DWORD read = 0;
  while (ReadFile(file.get(), buffer, sizeof buffer, &read, nullptr) && read > 0)
    text.append(buffer, read);
  return text;
}

std::vector<unsigned> UnixPids() {
  std::vector<unsigned> pids;
  WIN32_FIND_DATAW entry;
  HANDLE search = FindFirstFileW(L"Z:\\proc\\*", &entry);
  if (search == INVALID_HANDLE_VALUE) return pids;
  do {
    if (iswdigit(entry.cFileName[0])) pids.push_back(static_cast<unsigned>(_wtoi(entry.cFileName)));
  } while (FindNextFileW(search, &entry));
  FindClose(search);
  return pids;
}

std::wstring ProcPath(unsigned pid, const wchar_t* file) {
  return L"/proc/" + std::to_wstring(pid) + L"/" + file;
}

std::string Lowered(std::string text) {
  for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return text;
}

// The process started from this executable: Wine gives it the Windows
// command line, which begins with the path (quoted as this probe passes it).
// 0 when there is none.
unsigned UnixPidOf(const std::wstring& exePath) {
  std::string wanted = "\"";
  for (wchar_t c : exePath) wanted += static_cast<char>(c);
  wanted = Lowered(wanted + "\"");
  for (unsigned pid : UnixPids()) {
    const std::string commandLine = Lowered(ReadUnixFile(ProcPath(pid, L"cmdline")));
    if (commandLine.compare(0, wanted.size(), wanted) == 0 ||
        commandLine.compare(0, wanted.size() - 2, wanted, 1, wanted.size() - 2) == 0)
      return pid;
  }
  return 0;
}

// The processes of this Wine prefix, found by their environment, and the X
// server; not this probe.
std::vector<unsigned> SessionPids(const std::string& prefixVariable, unsigned xServerPid,
                                  unsigned selfPid) {
  std::vector<unsigned> pids{xServerPid};
  for (unsigned pid : UnixPids()) {
    if (pid == selfPid || pid == xServerPid) continue;
    std::string environment = ReadUnixFile(ProcPath(pid, L"environ"));
    std::replace(environment.begin(), environment.end(), '\0', '\n');
    if (('\n' + environment + '\n').find('\n' + prefixVariable + '\n') != std::string::npos)
      pids.push_back(pid);
  }
  return pids;
}

class UnixCounters {
 public:
  explicit UnixCounters(unsigned clockTicksPerSecond) : ticksPerSecond_(clockTicksPerSecond) {}

  // User and system time, from /proc/<pid>/stat: fields 14 and 15, counted
  // after the command name, which may hold blanks, as the 12th and 13th.
  double CpuMs(unsigned pid) const {
    const std::string stat = ReadUnixFile(ProcPath(pid, L"stat"));
    const std::size_t end = stat.rfind(')');
    if (end == std::string::npos) return 0;
    constexpr std::size_t kUserTime = 11, kSystemTime = 12;  // from the state, field 3
    std::vector<std::string> fields;
    std::size_t at = end + 1;
    while (fields.size() <= kSystemTime) {
      at = stat.find_first_not_of(' ', at);
      if (at == std::string::npos) return 0;
      const std::size_t stop = stat.find(' ', at);
      fields.push_back(stat.substr(at, stop - at));
      at = stop;
    }
    const double ticks = std::strtod(fields[kUserTime].c_str(), nullptr) +
                         std::strtod(fields[kSystemTime].c_str(), nullptr);
    return ticks * 1000.0 / ticksPerSecond_;
  }

  double CpuMs(const std::vector<unsigned>& pids) const {
    double total = 0;
    for (unsigned pid : pids) total += CpuMs(pid);
    return total;
  }

  // Private bytes as Wine reports them for a process asking about itself:
  // anonymous resident memory and swap, from /proc/<pid>/status.
  static double PrivateMiB(unsigned pid) {
    const std::string status = ReadUnixFile(ProcPath(pid, L"status"));
    double kib = 0;
    for (const char* name : {"RssAnon:", "VmSwap:"}) {
      const std::size_t at = status.find(name);
      if (at != std::string::npos)
        kib += std::strtod(status.c_str() + at + std::strlen(name), nullptr);
    }
    return kib / 1024.0;
  }

 private:
  unsigned ticksPerSecond_;
};

// ---- one measured program ---------------------------------------------------

struct Memory {
  double peakWorkingSetMiB = 0;
  double privateMiB = 0;
};

// Where the session's time goes, by process.
enum SessionShare : std::size_t {
  kProgram,
  kWineserver,
  kDeviceHost,
  kExplorer,
  kXServer,
  kOther,
  kShares
};
constexpr const wchar_t* kShareNames[kShares] = {
    L"the program", L"wineserver", L"device host (network)", L"explorer (notification area)",
    L"X server",    L"other"};

struct Cpu {
  double processMs = 0;  // the program's own process
  double sessionMs = 0;  // it and every process of the Wine session
  double shareMs[kShares] = {};
};

Cpu operator-(const Cpu& later, const Cpu& earlier) {
  Cpu difference{later.processMs - earlier.processMs, later.sessionMs - earlier.sessionMs, {}};
  for (std::size_t share = 0; share < kShares; ++share)
    difference.shareMs[share] = later.shareMs[share] - earlier.shareMs[share];
  return difference;
}

struct Measurement {
  double startupMs = 0;
  Memory afterStart, afterHalfTicks, afterTicks;
  Cpu ticks;     // all ticks
  Cpu delivery;  // as many WM_NULLs, sent the same way
};

struct Program {
  std::wstring path;
  const wchar_t* windowClass;  // nullptr: a process without a window
  bool trayIcon;
};

struct Session {
  std::string prefixVariable;  // WINEPREFIX=<Unix path>
  unsigned xServerPid;
  unsigned clockTicksPerSecond;
};

class Probe {
 public:
  Probe(std::wstring desktop, Session session)
      : desktopName_(std::move(desktop)),
        session_(std::move(session)),
        counters_(session_.clockTicksPerSecond) {}

  // Until explorer's desktop and its notification area exist.
  void WaitDesktop() {
    const ULONGLONG deadline = GetTickCount64() + kReadyTimeoutMs;
    HDESK desktop = nullptr;
    while ((desktop = OpenDesktopW(desktopName_.c_str(), 0, FALSE, GENERIC_ALL)) == nullptr) {
      if (Expired(deadline)) throw Failure{L"no desktop named " + desktopName_};
      Sleep(kPollMs);
    }
    if (!SetThreadDesktop(desktop)) throw Failure{L"cannot enter the desktop " + desktopName_};
    while (FindWindowW(L"Shell_TrayWnd", nullptr) == nullptr) {
      if (Expired(deadline)) throw Failure{L"no notification area on " + desktopName_};
      Sleep(kPollMs);
    }
    wchar_t self[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, self, MAX_PATH);
    selfPid_ = UnixPidOf(self);
  }

  Measurement Measure(const Program& program, unsigned ticks) {
    if (program.trayIcon && TrayIconCount() != 0)
      throw Failure{L"a notification icon is left from an earlier run"};
    Measurement result;
    PROCESS_INFORMATION info{};
    LARGE_INTEGER start = Now();
    if (const DWORD first = Start(program, info); first != ERROR_SUCCESS) {
      // The 64-bit Wine now and then refuses a start (ERROR_INTERNAL_ERROR)
      // that goes through when tried again: one more try, timed afresh.
      Sleep(kPauseMs);
      ++startsRetried_;
      start = Now();
      if (const DWORD again = Start(program, info); again != ERROR_SUCCESS)
        throw Failure{L"cannot start " + program.path + L": " + std::to_wstring(first) +
                      L", and again: " + std::to_wstring(again)};
    }
    UniqueKernelHandle process(info.hProcess);
    UniqueKernelHandle thread(info.hThread);

    if (program.windowClass == nullptr) {
      if (WaitForSingleObject(process.get(), kReadyTimeoutMs) != WAIT_OBJECT_0)
        throw Failure{program.path + L" does not end"};
      result.startupMs = Milliseconds(start, Now());
      Sleep(kPauseMs);
      return result;
    }

    HWND window = WaitReady(program, info.dwProcessId, process.get());
    result.startupMs = Milliseconds(start, Now());
    if (program.trayIcon && TrayIconCount() != 1)
      throw Failure{L"no notification icon once the window is shown"};
    if (ticks > 0) MeasureRun(window, process.get(), program, ticks, result);
    End(window, process.get(), program);
    return result;
  }

  // Starts that failed once and went through when tried again.
  unsigned StartsRetried() const { return startsRetried_; }

 private:
  // ERROR_SUCCESS, or why the process could not be started.
  DWORD Start(const Program& program, PROCESS_INFORMATION& info) {
    std::wstring commandLine = L"\"" + program.path + L"\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.lpDesktop = desktopName_.data();
    return CreateProcessW(program.path.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0,
                          nullptr, nullptr, &startup, &info)
               ? ERROR_SUCCESS
               : GetLastError();
  }

  void MeasureRun(HWND window, HANDLE process, const Program& program, unsigned ticks,
                  Measurement& result) {
    Send(window, WM_NULL);
    Sleep(kSettleMs);
    const unsigned pid = UnixPidOf(program.path);
    if (pid == 0) throw Failure{L"no Unix process for " + program.path};
    std::vector<unsigned> session =
        SessionPids(session_.prefixVariable, session_.xServerPid, selfPid_);
    if (std::find(session.begin(), session.end(), pid) == session.end()) session.push_back(pid);
    result.afterStart = ReadMemory(process, pid);

    const Cpu beforeTicks = ReadCpu(pid, session);
    for (unsigned i = 0; i < ticks; ++i) {
      Send(window, WM_TIMER, IDT_Timer1);
      Repaint(window);
      if (i + 1 == ticks / 2) result.afterHalfTicks = ReadMemory(process, pid);
    }
    const Cpu afterTicks = ReadCpu(pid, session);
    for (unsigned i = 0; i < ticks; ++i) {
      Send(window, WM_NULL);
      Repaint(window);
    }
    const Cpu afterDelivery = ReadCpu(pid, session);
    result.ticks = afterTicks - beforeTicks;
    result.delivery = afterDelivery - afterTicks;
    result.afterTicks = ReadMemory(process, pid);
  }

  void End(HWND window, HANDLE process, const Program& program) {
    // Adrelo ends on its Exit command (a close only hides it); it saves its
    // settings and removes its icon on the way.
    if (program.trayIcon)
      PostMessageW(window, WM_COMMAND, MAKEWPARAM(IDM_mnuExit, 0), 0);
    else
      PostMessageW(window, WM_CLOSE, 0, 0);
    if (WaitForSingleObject(process, kExitTimeoutMs) != WAIT_OBJECT_0) {
      TerminateProcess(process, 1);
      throw Failure{program.path + L" does not end on request"};
    }
    Sleep(kPauseMs);
  }

  HWND WaitReady(const Program& program, DWORD processId, HANDLE process) {
    const ULONGLONG deadline = GetTickCount64() + kReadyTimeoutMs;
    for (;;) {
      HWND window = FindWindowW(program.windowClass, nullptr);
      DWORD owner = 0;
      if (window != nullptr) GetWindowThreadProcessId(window, &owner);
      if (owner == processId && IsWindowVisible(window) &&
          Send(GetDlgItem(window, IDC_Text1), WM_GETTEXTLENGTH) > 0 &&
          Send(GetDlgItem(window, IDC_List1), LB_GETCOUNT) > 0)
        return window;
      if (WaitForSingleObject(process, 1) == WAIT_OBJECT_0)
        throw Failure{program.path + L" ended before its window was ready"};
      if (Expired(deadline)) throw Failure{program.path + L": no ready window within 30 s"};
    }
  }

  static LRESULT Send(HWND window, UINT message, WPARAM wParam = 0) {
    DWORD_PTR result = 0;
    if (window == nullptr ||
        !SendMessageTimeoutW(window, message, wParam, 0, SMTO_NORMAL, kMessageTimeoutMs, &result))
      throw Failure{L"no answer to message " + std::to_wstring(message)};
    return static_cast<LRESULT>(result);
  }

  // A tick only invalidates what it changed, and the program would paint it
  // once its queue is empty; painting it now, by a WM_PAINT sent to each
  // window that needs one, keeps that cost inside the tick it belongs to.
  static void Repaint(HWND window) {
    RedrawWindow(window, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
  }

  static Memory ReadMemory(HANDLE process, unsigned pid) {
    PROCESS_MEMORY_COUNTERS counters{};
    counters.cb = sizeof counters;
    if (!GetProcessMemoryInfo(process, &counters, sizeof counters))
      throw Failure{L"GetProcessMemoryInfo failed: " + std::to_wstring(GetLastError())};
    return {static_cast<double>(counters.PeakWorkingSetSize) / kBytesPerMiB,
            UnixCounters::PrivateMiB(pid)};
  }

  Cpu ReadCpu(unsigned pid, const std::vector<unsigned>& session) const {
    Cpu cpu;
    for (unsigned member : session) {
      const double ms = counters_.CpuMs(member);
      cpu.sessionMs += ms;
      cpu.shareMs[ShareOf(member, pid)] += ms;
      if (member == pid) cpu.processMs = ms;
    }
    return cpu;
  }

  SessionShare ShareOf(unsigned member, unsigned program) const {
    if (member == program) return kProgram;
    if (member == session_.xServerPid) return kXServer;
    const std::string name = ReadUnixFile(ProcPath(member, L"comm"));
    if (name.rfind("wineserver", 0) == 0) return kWineserver;
    if (name.rfind("winedevice", 0) == 0) return kDeviceHost;
    if (name.rfind("explorer", 0) == 0) return kExplorer;
    return kOther;
  }

  // The icons of explorer's notification area, read inside explorer by
  // adrelo_probe.dll as the end-to-end driver does.
  int TrayIconCount() {
    HWND tray = FindWindowW(L"Shell_TrayWnd", nullptr);
    if (tray == nullptr) throw Failure{L"no Shell_TrayWnd on the desktop"};
    if (hook_ == nullptr) Hook(tray);
    static const UINT query = RegisterWindowMessageW(adrelo_probe::kQueryMessage);
    reply_.clear();
    if (!SendMessageTimeoutW(tray, query, reinterpret_cast<WPARAM>(replyWindow_),
                             adrelo_probe::kTray, SMTO_NORMAL, kMessageTimeoutMs, nullptr))
      throw Failure{L"explorer does not answer the tray query"};
    return static_cast<int>(std::count(reply_.begin(), reply_.end(), L'\n'));
  }

  void Hook(HWND tray) {
    wchar_t path[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring dll = path;
    dll.resize(dll.find_last_of(L"\\/") + 1);
    dll += L"adrelo_probe.dll";
    HMODULE probe = LoadLibraryW(dll.c_str());
    if (probe == nullptr) throw Failure{L"cannot load " + dll};
    auto procedure = reinterpret_cast<HOOKPROC>(
        reinterpret_cast<void*>(GetProcAddress(probe, adrelo_probe::kHookExport)));
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = ReplyProc;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.lpszClassName = L"AdreloBenchProbeReply";
    RegisterClassW(&windowClass);
    replyWindow_ = CreateWindowW(windowClass.lpszClassName, L"", 0, 0, 0, 0, 0, HWND_MESSAGE,
                                 nullptr, windowClass.hInstance, nullptr);
    hook_ = procedure == nullptr ? nullptr
                                 : SetWindowsHookExW(WH_CALLWNDPROC, procedure, probe,
                                                     GetWindowThreadProcessId(tray, nullptr));
    if (hook_ == nullptr || replyWindow_ == nullptr)
      throw Failure{L"cannot hook adrelo_probe.dll into explorer"};
  }

  static LRESULT CALLBACK ReplyProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_COPYDATA) {
      const auto* data = reinterpret_cast<const COPYDATASTRUCT*>(lParam);
      reply_.assign(static_cast<const wchar_t*>(data->lpData), data->cbData / sizeof(wchar_t));
      return TRUE;
    }
    return DefWindowProcW(window, message, wParam, lParam);
  }

  std::wstring desktopName_;
  Session session_;
  UnixCounters counters_;
  unsigned selfPid_ = 0;
  unsigned startsRetried_ = 0;
  HHOOK hook_ = nullptr;  // lives as long as this process
  HWND replyWindow_ = nullptr;
  static inline std::wstring reply_;
};

// ---- the executable's bytes and imports -------------------------------------

struct ImageFacts {
  ULONGLONG bytes = 0;
  std::wstring imports;
};

ImageFacts ReadImage(const std::wstring& path) {
  UniqueKernelHandle file(
      CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr));
  if (file.get() == INVALID_HANDLE_VALUE) {
    file.release();
    throw Failure{L"cannot read " + path};
  }
  LARGE_INTEGER size{};
  GetFileSizeEx(file.get(), &size);
  std::vector<unsigned char> image(static_cast<std::size_t>(size.QuadPart));
  DWORD read = 0;
  ReadFile(file.get(), image.data(), static_cast<DWORD>(image.size()), &read, nullptr);
  ImageFacts facts{static_cast<ULONGLONG>(size.QuadPart), {}};
  // Offsets are checked before they are followed: this reads any file.
  auto at = [&](std::size_t offset, std::size_t length) -> const unsigned char* {
    return offset <= image.size() && length <= image.size() - offset ? image.data() + offset
                                                                     : nullptr;
  };
  const auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(at(0, sizeof(IMAGE_DOS_HEADER)));
  if (dos == nullptr || dos->e_magic != IMAGE_DOS_SIGNATURE) return facts;
  const auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS32*>(
      at(static_cast<std::size_t>(dos->e_lfanew), sizeof(IMAGE_NT_HEADERS32)));
  if (nt == nullptr || nt->Signature != IMAGE_NT_SIGNATURE) return facts;
  // A 64-bit image (PE32+) has wider fields before its data directories.
  const IMAGE_DATA_DIRECTORY* directories = nt->OptionalHeader.DataDirectory;
  if (nt->OptionalHeader.Magic == IMAGE_NT_OPTIONAL_HDR64_MAGIC) {
    const auto* nt64 = reinterpret_cast<const IMAGE_NT_HEADERS64*>(
        at(static_cast<std::size_t>(dos->e_lfanew), sizeof(IMAGE_NT_HEADERS64)));
    if (nt64 == nullptr) return facts;
    directories = nt64->OptionalHeader.DataDirectory;
  }
  const auto* sections = reinterpret_cast<const IMAGE_SECTION_HEADER*>(
      at(static_cast<std::size_t>(dos->e_lfanew) + offsetof(IMAGE_NT_HEADERS32, OptionalHeader) +
             nt->FileHeader.SizeOfOptionalHeader,
         sizeof(IMAGE_SECTION_HEADER) * nt->FileHeader.NumberOfSections));
  if (sections == nullptr) return facts;
  auto fileOffset = [&](DWORD rva) -> std::size_t {
    for (WORD i = 0; i < nt->FileHeader.NumberOfSections; ++i) {
      const IMAGE_SECTION_HEADER& section = sections[i];
      if (rva >= section.VirtualAddress && rva < section.VirtualAddress + section.SizeOfRawData)
        return rva - section.VirtualAddress + section.PointerToRawData;
    }
    return image.size();
  };
  const DWORD importsRva = directories[IMAGE_DIRECTORY_ENTRY_IMPORT].VirtualAddress;
  for (std::size_t offset = fileOffset(importsRva);; offset += sizeof(IMAGE_IMPORT_DESCRIPTOR)) {
    const auto* entry = reinterpret_cast<const IMAGE_IMPORT_DESCRIPTOR*>(
        at(offset, sizeof(IMAGE_IMPORT_DESCRIPTOR)));
    if (entry == nullptr || entry->Name == 0) break;
    const std::size_t name = fileOffset(entry->Name);
    std::wstring dll;
    for (std::size_t i = name; i < image.size() && image[i] != 0; ++i)
      dll += static_cast<wchar_t>(image[i]);
    facts.imports += (facts.imports.empty() ? L"" : L" ") + dll;
  }
  return facts;
}

// ---- the table --------------------------------------------------------------

constexpr std::size_t kLabelWidth = 50;
constexpr std::size_t kCellWidth = 10;

struct Spread {
  double min, median, max;
};

Spread SpreadOf(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  const std::size_t n = values.size();
  const double median = n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
  return {values.front(), median, values.back()};
}

template <typename Field>
std::vector<double> Column(const std::vector<Measurement>& runs, Field field) {
  std::vector<double> column;
  for (const Measurement& run : runs) column.push_back(field(run));
  return column;
}

template <typename Field>
std::vector<double> Ratios(const std::vector<Measurement>& numerators,
                           const std::vector<Measurement>& denominators, Field field) {
  std::vector<double> ratios;
  for (std::size_t i = 0; i < numerators.size(); ++i)
    ratios.push_back(field(numerators[i]) / field(denominators[i]));
  return ratios;
}

template <typename Field>
std::vector<double> Differences(const std::vector<Measurement>& minuends,
                                const std::vector<Measurement>& subtrahends, Field field) {
  std::vector<double> differences;
  for (std::size_t i = 0; i < minuends.size(); ++i)
    differences.push_back(field(minuends[i]) - field(subtrahends[i]));
  return differences;
}

void Row(const std::wstring& label, const std::vector<double>& values, const wchar_t* format,
         const std::wstring& note = L"") {
  const Spread spread = SpreadOf(values);
  std::wstring line = label;
  line.resize(std::max<std::size_t>(line.size(), kLabelWidth), L' ');
  for (double value : {spread.min, spread.median, spread.max}) {
    std::wstring cell = Format(format, value);
    line += std::wstring(cell.size() < kCellWidth ? kCellWidth - cell.size() : 0, L' ') + cell;
  }
  Print(line + (note.empty() ? L"" : L"   " + note));
}

std::wstring Verdict(bool met, const std::wstring& target) {
  return (met ? L"meets " : L"MISSES ") + target;
}

// Each program's measurements, round by round.
struct Runs {
  std::vector<Measurement> adrelo, reference, manifest, empty;
};

void PrintTable(const Runs& startups, const Runs& full, const ImageFacts& image,
                const ImageFacts& referenceImage, unsigned ticks) {
  const auto startup = [](const Measurement& m) { return m.startupMs; };
  const auto peakTicks = [](const Measurement& m) { return m.afterTicks.peakWorkingSetMiB; };
  const auto privateTicks = [](const Measurement& m) { return m.afterTicks.privateMiB; };
  const auto growth = [](const Measurement& m) {
    return m.afterTicks.privateMiB - m.afterStart.privateMiB;
  };
  const auto lateGrowth = [](const Measurement& m) {
    return m.afterTicks.privateMiB - m.afterHalfTicks.privateMiB;
  };
  const double perTick = static_cast<double>(ticks);
  const auto tickCost = [perTick](const Measurement& m) { return m.ticks.processMs / perTick; };
  const auto tickSession = [perTick](const Measurement& m) { return m.ticks.sessionMs / perTick; };
  const auto delivery = [perTick](const Measurement& m) { return m.delivery.processMs / perTick; };
  const auto deliverySession = [perTick](const Measurement& m) {
    return m.delivery.sessionMs / perTick;
  };
  std::wstring header = L"";
  header.resize(kLabelWidth, L' ');
  Print(header + L"       min    median       max");
  Print(L"1. Start-up, ms (process start to window shown, filled), " +
        std::to_wstring(startups.adrelo.size()) + L" runs of each");
  Row(L"   empty process (Wine's fixed cost)", Column(startups.empty, startup), L"%.1f");
  Row(L"   reference, bare", Column(startups.reference, startup), L"%.1f");
  Row(L"   reference with Adrelo's manifest", Column(startups.manifest, startup), L"%.1f");
  Row(L"   Adrelo.exe (its tray icon present)", Column(startups.adrelo, startup), L"%.1f");
  Row(L"   Adrelo / bare reference", Ratios(startups.adrelo, startups.reference, startup), L"%.3f");
  const std::vector<double> startupRatio = Ratios(startups.adrelo, startups.manifest, startup);
  Row(L"   Adrelo / reference with manifest", startupRatio, L"%.3f",
      Verdict(SpreadOf(startupRatio).median <= kStartupTarget, L"<= 1.10 (median)"));
  std::vector<double> netRatio;
  for (std::size_t i = 0; i < startups.adrelo.size(); ++i)
    netRatio.push_back((startups.adrelo[i].startupMs - startups.empty[i].startupMs) /
                       (startups.manifest[i].startupMs - startups.empty[i].startupMs));
  Row(L"   the same, each net of the empty process", netRatio, L"%.3f");

  Print(L"2. Size");
  Print(L"   Adrelo.exe: " + std::to_wstring(image.bytes) + L" bytes (" +
        Format(L"%.1f", static_cast<double>(image.bytes) / 1024.0) + L" KiB)   " +
        Verdict(image.bytes <= kSizeTargetBytes, L"<= 200 KiB"));
  Print(L"     imports " + image.imports);
  Print(L"   reference: " + std::to_wstring(referenceImage.bytes) + L" bytes, imports " +
        referenceImage.imports);

  Print(L"3. Memory, MiB, " + std::to_wstring(full.adrelo.size()) + L" runs of each");
  const std::wstring afterTicks = L" after " + std::to_wstring(ticks) + L" ticks";
  using Field = double (*)(const Measurement&);
  const std::pair<std::wstring, Field> memoryRows[] = {
      {L"   peak working set after start-up",
       [](const Measurement& m) { return m.afterStart.peakWorkingSetMiB; }},
      {L"   peak working set" + afterTicks,
       [](const Measurement& m) { return m.afterTicks.peakWorkingSetMiB; }},
      {L"   private bytes after start-up",
       [](const Measurement& m) { return m.afterStart.privateMiB; }},
      {L"   private bytes" + afterTicks,
       [](const Measurement& m) { return m.afterTicks.privateMiB; }}};
  for (const auto& [title, field] : memoryRows) {
    Row(title + L": reference", Column(full.reference, field), L"%.2f");
    Row(L"     reference with manifest", Column(full.manifest, field), L"%.2f");
    Row(L"     Adrelo.exe", Column(full.adrelo, field), L"%.2f");
  }
  const std::vector<double> peakOver = Differences(full.adrelo, full.manifest, peakTicks);
  const std::vector<double> privateOver = Differences(full.adrelo, full.manifest, privateTicks);
  Row(L"   Adrelo - manifest reference, peak", peakOver, L"%+.2f",
      Verdict(SpreadOf(peakOver).median <= kMemoryTargetMiB, L"<= +1 MB (median)"));
  Row(L"     private bytes", privateOver, L"%+.2f",
      Verdict(SpreadOf(privateOver).median <= kMemoryTargetMiB, L"<= +1 MB (median)"));
  Row(L"   private growth over the ticks: reference", Column(full.reference, growth), L"%+.3f");
  Row(L"     reference with manifest", Column(full.manifest, growth), L"%+.3f");
  Row(L"     Adrelo.exe", Column(full.adrelo, growth), L"%+.3f");
  const std::vector<double> late = Column(full.adrelo, lateGrowth);
  Row(L"     Adrelo.exe, second half of the ticks", late, L"%+.3f",
      Verdict(SpreadOf(late).median <= 0, L"no growth (median)"));

  Print(L"4. Refresh cost, ms CPU a tick, " + std::to_wstring(full.adrelo.size()) +
        L" runs of each");
  Row(L"   reference, its process: one gethostbyname", Column(full.reference, tickCost), L"%.3f");
  Row(L"   Adrelo.exe, its process: one refresh tick", Column(full.adrelo, tickCost), L"%.3f");
  const std::vector<double> tickRatio = Ratios(full.adrelo, full.reference, tickCost);
  Row(L"   Adrelo / reference, the processes", tickRatio, L"%.3f",
      Verdict(SpreadOf(tickRatio).median <= kRefreshTarget, L"<= 1.20 (median)"));
  Row(L"   reference, whole Wine session", Column(full.reference, tickSession), L"%.3f");
  Row(L"   Adrelo.exe, whole Wine session", Column(full.adrelo, tickSession), L"%.3f");
  Row(L"   Adrelo / reference, the sessions", Ratios(full.adrelo, full.reference, tickSession),
      L"%.3f");
  for (std::size_t share = 0; share < kShares; ++share) {
    const auto ms = [perTick, share](const Measurement& m) {
      return m.ticks.shareMs[share] / perTick;
    };
    Row(std::wstring(L"     ") + kShareNames[share] + L": reference", Column(full.reference, ms),
        L"%.3f");
    Row(L"       Adrelo.exe", Column(full.adrelo, ms), L"%.3f");
  }
  Row(L"   a sent WM_NULL, process: reference", Column(full.reference, delivery), L"%.3f");
  Row(L"     Adrelo.exe", Column(full.adrelo, delivery), L"%.3f");
  Row(L"   a sent WM_NULL, session: reference", Column(full.reference, deliverySession), L"%.3f");
  Row(L"     Adrelo.exe", Column(full.adrelo, deliverySession), L"%.3f");
}

int Run(int argc, wchar_t** argv) {
  std::wstring desktop = L"shell";
  unsigned rounds = 0, startupRounds = 0, ticks = 0;
  Session session{{}, 0, 0};
  Program adrelo{L"", kAdreloClass, true};
  Program reference{L"", kReferenceClass, false};
  Program manifest{L"", kReferenceClass, false};
  Program empty{L"", nullptr, false};
  for (int i = 1; i < argc; ++i) {
    const std::wstring option = argv[i];
    if (i + 1 >= argc) throw UsageError{L"no value for " + option};
    const std::wstring value = argv[++i];
    if (option == L"--desktop")
      desktop = value;
    else if (option == L"--rounds")
      rounds = static_cast<unsigned>(_wtoi(value.c_str()));
    else if (option == L"--startup-rounds")
      startupRounds = static_cast<unsigned>(_wtoi(value.c_str()));
    else if (option == L"--ticks")
      ticks = static_cast<unsigned>(_wtoi(value.c_str()));
    else if (option == L"--adrelo")
      adrelo.path = value;
    else if (option == L"--reference")
      reference.path = value;
    else if (option == L"--manifest")
      manifest.path = value;
    else if (option == L"--empty")
      empty.path = value;
    else if (option == L"--wineprefix") {
      session.prefixVariable = "WINEPREFIX=";
      for (wchar_t c : value) session.prefixVariable += static_cast<char>(c);
    } else if (option == L"--x-server-pid")
      session.xServerPid = static_cast<unsigned>(_wtoi(value.c_str()));
    else if (option == L"--clock-ticks")
      session.clockTicksPerSecond = static_cast<unsigned>(_wtoi(value.c_str()));
    else
      throw UsageError{L"unknown option " + option};
  }
  if (rounds == 0 || ticks < 2 || adrelo.path.empty() || reference.path.empty() ||
      manifest.path.empty() || empty.path.empty() || session.prefixVariable.empty() ||
      session.xServerPid == 0 || session.clockTicksPerSecond == 0)
    throw UsageError{kUsage};

  Probe probe(desktop, session);
  // The programs run in explorer's virtual desktop; their windows are found
  // only from a thread on the same desktop.
  probe.WaitDesktop();
  // One round of each first, not counted: the first start of a program
  // reads its DLLs from disk and, for Adrelo, creates its settings key.
  for (const Program* program : {&adrelo, &reference, &manifest, &empty})
    probe.Measure(*program, kWarmUpTicks);
  Runs full, startups;
  const unsigned allRounds = rounds + startupRounds;
  for (unsigned round = 0; round < allRounds; ++round) {
    // Every other round in the opposite order, so that no program always
    // follows the same one.
    std::vector<std::pair<const Program*, std::vector<Measurement>*>> order{
        {&adrelo, &startups.adrelo},
        {&reference, &startups.reference},
        {&manifest, &startups.manifest},
        {&empty, &startups.empty}};
    if (round % 2 != 0) std::reverse(order.begin(), order.end());
    // The rounds after the full ones time the start-up alone.
    const unsigned roundTicks = round < rounds ? ticks : 0;
    for (const auto& [program, runs] : order) runs->push_back(probe.Measure(*program, roundTicks));
    if (round < rounds) {
      full.adrelo.push_back(startups.adrelo.back());
      full.reference.push_back(startups.reference.back());
      full.manifest.push_back(startups.manifest.back());
      full.empty.push_back(startups.empty.back());
    }
    Print(L"round " + std::to_wstring(round + 1) + L": start-up ms Adrelo " +
          Format(L"%.1f", startups.adrelo.back().startupMs) + L", reference " +
          Format(L"%.1f", startups.reference.back().startupMs) + L", with manifest " +
          Format(L"%.1f", startups.manifest.back().startupMs) + L", empty " +
          Format(L"%.1f", startups.empty.back().startupMs));
  }
  Print(L"");
  PrintTable(startups, full, ReadImage(adrelo.path), ReadImage(reference.path), ticks);
  if (probe.StartsRetried() != 0)
    Print(L"(" + std::to_wstring(probe.StartsRetried()) +
          L" start(s) failed once and went through when tried again)");
  return 0;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  try {
    return Run(argc, argv);
  } catch (const Failure& failure) {
    WriteUtf8(GetStdHandle(STD_ERROR_HANDLE), L"adrelo_bench_probe: " + failure.message + L'\n');
    return 1;
  } catch (const UsageError& error) {
    WriteUtf8(GetStdHandle(STD_ERROR_HANDLE), L"adrelo_bench_probe: " + error.message + L'\n');
    return 2;
  }
}
