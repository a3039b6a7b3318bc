// The GDI objects this process holds, for tests that look for leaks. Wine's
// GetGuiResources is a stub that answers 0, but Wine keeps Windows'
// per-process handle table, which the PEB points to; an entry is in use while
// its type is not 0.
#pragma once
#include <windows.h>

#include <winternl.h>

#include <cstring>
#include <iterator>
#include <string>

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

// The live table, or null when it is not there, or not live (a stock object's
// entry free).
inline const GdiHandleEntry* GdiHandleTable() {
  PROCESS_BASIC_INFORMATION basic{};
  if (NtQueryInformationProcess(GetCurrentProcess(), ProcessBasicInformation, &basic, sizeof basic,
                                nullptr) != 0)
    return nullptr;
  const GdiHandleEntry* table = nullptr;
  std::memcpy(&table, reinterpret_cast<const BYTE*>(basic.PebBaseAddress) + kPebGdiHandleTable,
              sizeof table);
  const auto stock = reinterpret_cast<UINT_PTR>(GetStockObject(WHITE_BRUSH)) & 0xFFFF;
  return table == nullptr || table[stock].type == 0 ? nullptr : table;
}

// -1 when there is no live table.
inline int GdiObjects() {
  const GdiHandleEntry* table = GdiHandleTable();
  if (table == nullptr) return -1;
  int count = 0;
  for (unsigned i = 0; i < kGdiHandleCount; ++i) count += table[i].type != 0;
  return count;
}

// The objects by kind, for a log that shows what grew: "dc 9 font 12 ...".
inline std::wstring GdiObjectKinds() {
  const GdiHandleEntry* table = GdiHandleTable();
  if (table == nullptr) return L"none";
  static constexpr const wchar_t* kNames[] = {
      L"", L"pen", L"brush", L"dc", L"metadc", L"palette", L"font", L"bitmap",
      L"region", L"metafile", L"memdc", L"extpen", L"enhmetadc", L"enhmetafile", L"colorspace"};
  int counts[std::size(kNames) + 1] = {};
  for (unsigned i = 0; i < kGdiHandleCount; ++i) {
    if (table[i].type == 0) continue;
    const DWORD kind = GetObjectType(ULongToHandle(static_cast<ULONG>(table[i].unique) << 16 | i));
    ++counts[kind < std::size(kNames) ? kind : 0];
  }
  std::wstring out;
  for (std::size_t kind = 1; kind < std::size(kNames); ++kind)
    if (counts[kind] != 0) out += std::wstring(kNames[kind]) + L' ' + std::to_wstring(counts[kind]) + L' ';
  if (counts[0] != 0) out += L"other " + std::to_wstring(counts[0]);
  return out;
}

}  // namespace adrelo_testing
