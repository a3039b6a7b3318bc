// Reads what the tests need from the resource script and resource.h: the
// string table and the shortcut keys, as the resource compiler would see them.
#pragma once
#include <cstdint>
#include <map>
#include <string>
#include <vector>

namespace testing_support {

std::string SourcePath(const std::string& relative);

// NAME -> value of every "#define NAME number" in a header.
std::map<std::string, long> ParseDefines(const std::string& headerPath);

// id -> text of the STRINGTABLE of a UTF-8 resource script.
std::map<int, std::wstring> ParseStringTable(const std::string& rcPath,
                                             const std::map<std::string, long>& defines);

struct RcAccelerator {
  std::uint16_t key;
  int command;
  std::uint8_t flags;  // FVIRTKEY, FSHIFT, FCONTROL, FALT
};
std::vector<RcAccelerator> ParseAccelerators(const std::string& rcPath,
                                             const std::map<std::string, long>& defines);

std::wstring DecodeUtf8(const std::string& text);

}  // namespace testing_support
