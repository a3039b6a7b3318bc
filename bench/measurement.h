// The figures the benchmark keeps of one run of a program, and what they
// share: the failure that ends a measurement and the owned kernel handle.
#pragma once

#include <windows.h>

#include <cstddef>
#include <string>
#include <vector>

#include "platform/win32/unique_handle.h"

namespace bench {

constexpr double kBytesPerMiB = 1024.0 * 1024.0;

struct Failure {
  std::wstring message;
};

using platform::win32::UniqueKernelHandle;

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

inline Cpu operator-(const Cpu& later, const Cpu& earlier) {
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

// Each program's measurements, round by round.
struct Runs {
  std::vector<Measurement> adrelo, reference, manifest, tickFloor, startupFloor, empty;
};

}  // namespace bench
