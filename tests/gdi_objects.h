// The GDI objects this process holds, for tests that look for leaks. Wine's
// GetGuiResources is a stub that answers 0, but Wine keeps Windows'
// per-process handle table, which the PEB points to; an entry is in use while
// its type is not 0.
#pragma once
#include <windows.h>

#include <winternl.h>

#include <cstring>

namespace adrelo_testing {

struct GdiHandleEntry {
  UINT64 object;
  ULONG owner;
  USHORT unique;
  UCHAR type;
  UCHAR flags;
  UINT64 userPointer;
};
static_assert(sizeof(GdiHandleEntry) == 24, "the table's entries are 24 bytes in either build");
inline constexpr unsigned kGdiHandleCount = 0x10000;
inline constexpr std::size_t kPebGdiHandleTable = sizeof(void*) == 8 ? 0xF8 : 0x94;  // PEB field offset

// -1 when the table is not there, or not live (a stock object's entry free).
inline int GdiObjects() {
  PROCESS_BASIC_INFORMATION basic{};
  if (NtQueryInformationProcess(GetCurrentProcess(), ProcessBasicInformation, &basic, sizeof basic,
                                nullptr) != 0)
    return -1;
  const GdiHandleEntry* table = nullptr;
  std::memcpy(&table, reinterpret_cast<const BYTE*>(basic.PebBaseAddress) + kPebGdiHandleTable,
              sizeof table);
  const auto stock = reinterpret_cast<UINT_PTR>(GetStockObject(WHITE_BRUSH)) & 0xFFFF;
  if (table == nullptr || table[stock].type == 0) return -1;
  int count = 0;
  for (unsigned i = 0; i < kGdiHandleCount; ++i) count += table[i].type != 0;
  return count;
}

}  // namespace adrelo_testing
