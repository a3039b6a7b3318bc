// The Unix side of the Wine session, read through drive Z:. Wine answers
// GetProcessTimes for the calling process only, and leaves the private bytes
// of another process at 0; the kernel's counters behind both (what Wine
// reports when a process asks about itself) are read from /proc. So is the
// CPU time of the whole Wine session, where most of a host lookup's work
// runs: wineserver, the device host that answers the network queries,
// explorer, and the X server.
#pragma once

#include <string>
#include <vector>

namespace bench {

// The file's bytes; empty when it cannot be read.
std::string ReadUnixFile(const std::wstring& path);

// /proc/<pid>/<file>.
std::wstring ProcPath(unsigned pid, const wchar_t* file);

// The process started from this executable: Wine gives it the Windows
// command line, which begins with the path (quoted as the probe passes it).
// 0 when there is none.
unsigned UnixPidOf(const std::wstring& exePath);

// The processes of this Wine prefix, found by their environment, and the X
// server; not the probe itself.
std::vector<unsigned> SessionPids(const std::string& prefixVariable, unsigned xServerPid,
                                  unsigned selfPid);

class UnixCounters {
 public:
  explicit UnixCounters(unsigned clockTicksPerSecond) : ticksPerSecond_(clockTicksPerSecond) {}

  // The process's user and system time.
  double CpuMs(unsigned pid) const;

  // Private bytes as Wine reports them for a process asking about itself:
  // anonymous resident memory and swap.
  static double PrivateMiB(unsigned pid);

 private:
  unsigned ticksPerSecond_;
};

}  // namespace bench
