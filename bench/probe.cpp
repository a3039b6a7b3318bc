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
//                      --adrelo EXE --reference EXE --manifest EXE --tick-floor EXE
//                      --startup-floor EXE --empty EXE
//                      --wineprefix UNIX_PATH --x-server-pid PID --clock-ticks N
//
// Exit status 0 after the table, 1 when a measurement failed (reason on
// stderr), 2 for usage.

#include <windows.h>

#include <psapi.h>

#include <algorithm>
#include <cstdlib>
#include <string>
#include <utility>
#include <vector>

#include "bench/bench_window.h"
#include "bench/image_facts.h"
#include "bench/measurement.h"
#include "bench/table.h"
#include "bench/unix_side.h"
#include "resources/resource.h"
#include "tests/e2e/probe_protocol.h"

namespace bench {
namespace {

constexpr wchar_t kUsage[] =
    L"usage: adrelo_bench_probe --desktop NAME --rounds N [--startup-rounds N] --ticks TICKS "
    L"--adrelo EXE --reference EXE --manifest EXE --tick-floor EXE --startup-floor EXE "
    L"--empty EXE --wineprefix UNIX_PATH --x-server-pid PID --clock-ticks PER_SECOND";
constexpr DWORD kReadyTimeoutMs = 30000;
constexpr DWORD kPollMs = 50;
constexpr unsigned kWarmUpTicks = 2;
constexpr DWORD kMessageTimeoutMs = 10000;
constexpr DWORD kExitTimeoutMs = 20000;
// After start-up the window paints and settles before memory is read.
constexpr DWORD kSettleMs = 500;
// Between two programs: explorer forgets the last icon, the server its process.
constexpr DWORD kPauseMs = 300;

struct UsageError {
  std::wstring message;
};

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

int Run(int argc, wchar_t** argv) {
  std::wstring desktop = L"shell";
  unsigned rounds = 0, startupRounds = 0, ticks = 0;
  Session session{{}, 0, 0};
  Program adrelo{L"", adrelo_probe::kMainClass, true};
  Program reference{L"", kWindowClass, false};
  Program manifest{L"", kWindowClass, false};
  Program tickFloor{L"", kWindowClass, false};
  Program startupFloor{L"", kWindowClass, true};
  Program empty{L"", nullptr, false};
  const std::pair<const wchar_t*, std::wstring*> paths[] = {
      {L"--desktop", &desktop},           {L"--adrelo", &adrelo.path},
      {L"--reference", &reference.path},  {L"--manifest", &manifest.path},
      {L"--tick-floor", &tickFloor.path}, {L"--startup-floor", &startupFloor.path},
      {L"--empty", &empty.path}};
  const std::pair<const wchar_t*, unsigned*> numbers[] = {
      {L"--rounds", &rounds},
      {L"--startup-rounds", &startupRounds},
      {L"--ticks", &ticks},
      {L"--x-server-pid", &session.xServerPid},
      {L"--clock-ticks", &session.clockTicksPerSecond}};
  for (int i = 1; i < argc; ++i) {
    const std::wstring option = argv[i];
    if (i + 1 >= argc) throw UsageError{L"no value for " + option};
    const std::wstring value = argv[++i];
    bool known = false;
    for (const auto& [name, target] : paths)
      if (option == name) { *target = value; known = true; }
    for (const auto& [name, target] : numbers)
      if (option == name) { *target = static_cast<unsigned>(_wtoi(value.c_str())); known = true; }
    if (option == L"--wineprefix") {
      known = true;
      session.prefixVariable = "WINEPREFIX=";
      for (wchar_t c : value) session.prefixVariable += static_cast<char>(c);
    }
    if (!known) throw UsageError{L"unknown option " + option};
  }
  if (rounds == 0 || ticks < 2 || adrelo.path.empty() || reference.path.empty() ||
      manifest.path.empty() || tickFloor.path.empty() || startupFloor.path.empty() ||
      empty.path.empty() || session.prefixVariable.empty() ||
      session.xServerPid == 0 || session.clockTicksPerSecond == 0)
    throw UsageError{kUsage};

  Probe probe(desktop, session);
  // The programs run in explorer's virtual desktop; their windows are found
  // only from a thread on the same desktop.
  probe.WaitDesktop();
  // One round of each first, not counted: the first start of a program
  // reads its DLLs from disk and, for Adrelo, creates its settings key.
  for (const Program* program : {&adrelo, &reference, &manifest, &tickFloor, &startupFloor, &empty})
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
        {&tickFloor, &startups.tickFloor},
        {&startupFloor, &startups.startupFloor},
        {&empty, &startups.empty}};
    if (round % 2 != 0) std::reverse(order.begin(), order.end());
    // The rounds after the full ones time the start-up alone.
    const unsigned roundTicks = round < rounds ? ticks : 0;
    for (const auto& [program, runs] : order) runs->push_back(probe.Measure(*program, roundTicks));
    if (round < rounds) {
      full.adrelo.push_back(startups.adrelo.back());
      full.reference.push_back(startups.reference.back());
      full.manifest.push_back(startups.manifest.back());
      full.tickFloor.push_back(startups.tickFloor.back());
      full.startupFloor.push_back(startups.startupFloor.back());
      full.empty.push_back(startups.empty.back());
    }
    Print(L"round " + std::to_wstring(round + 1) + L": start-up ms Adrelo " +
          Format(L"%.1f", startups.adrelo.back().startupMs) + L", reference " +
          Format(L"%.1f", startups.reference.back().startupMs) + L", with manifest " +
          Format(L"%.1f", startups.manifest.back().startupMs) + L", start-up floor " +
          Format(L"%.1f", startups.startupFloor.back().startupMs) + L", empty " +
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
}  // namespace bench

int wmain(int argc, wchar_t** argv) {
  using bench::WriteUtf8;
  try {
    return bench::Run(argc, argv);
  } catch (const bench::Failure& failure) {
    WriteUtf8(GetStdHandle(STD_ERROR_HANDLE), L"adrelo_bench_probe: " + failure.message + L'\n');
    return 1;
  } catch (const bench::UsageError& error) {
    WriteUtf8(GetStdHandle(STD_ERROR_HANDLE), L"adrelo_bench_probe: " + error.message + L'\n');
    return 2;
  }
}
