// Reads /proc through drive Z: for the benchmark's probe.
#include "bench/unix_side.h"

#include <windows.h>

#include <algorithm>
#include <cctype>
#include <cstddef>
#include <cstdlib>
#include <cstring>
#include <cwctype>

#include "bench/measurement.h"

namespace bench {
namespace {

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

std::string Lowered(std::string text) {
  for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return text;
}

}  // namespace

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

std::wstring ProcPath(unsigned pid, const wchar_t* file) {
  return L"/proc/" + std::to_wstring(pid) + L"/" + file;
}

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

// User and system time, from /proc/<pid>/stat: fields 14 and 15, counted
// after the command name, which may hold blanks, as the 12th and 13th.
double UnixCounters::CpuMs(unsigned pid) const {
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

// From /proc/<pid>/status.
double UnixCounters::PrivateMiB(unsigned pid) {
  const std::string status = ReadUnixFile(ProcPath(pid, L"status"));
  double kib = 0;
  for (const char* name : {"RssAnon:", "VmSwap:"}) {
    const std::size_t at = status.find(name);
    if (at != std::string::npos)
      kib += std::strtod(status.c_str() + at + std::strlen(name), nullptr);
  }
  return kib / 1024.0;
}

}  // namespace bench
