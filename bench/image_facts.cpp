// Reads an executable's size, header and import table, checking each offset first.
#include "bench/image_facts.h"

#include <cstddef>
#include <vector>

#include "bench/measurement.h"

namespace bench {

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
  ImageFacts facts{static_cast<ULONGLONG>(size.QuadPart), {}, 0, 0, 0};
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
  // At the same offsets in a 64-bit image's optional header.
  facts.subsystemMajor = nt->OptionalHeader.MajorSubsystemVersion;
  facts.subsystemMinor = nt->OptionalHeader.MinorSubsystemVersion;
  facts.dllCharacteristics = nt->OptionalHeader.DllCharacteristics;
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

}  // namespace bench
