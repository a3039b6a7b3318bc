// The rows of tests/data/stored_settings.txt.
#include "tests/fakes/settings_rows.h"

#include <cctype>
#include <charconv>

namespace testing_support {

namespace {

constexpr std::uint32_t kRegNone = 0, kRegSz = 1, kRegExpandSz = 2, kRegBinary = 3,
                        kRegDword = 4, kRegMultiSz = 7, kRegQword = 11;
// Long enough for every row the data holds (4,096 characters and more), short
// enough that a fuzzed repeat count cannot exhaust memory.
constexpr std::size_t kMaxDataBytes = 1 << 16;

bool IsStringType(std::uint32_t type) {
  return type == kRegSz || type == kRegExpandSz || type == kRegMultiSz;
}

void SkipBlanks(std::string_view& rest) {
  while (!rest.empty() && (rest.front() == ' ' || rest.front() == '\t')) rest.remove_prefix(1);
}

std::string_view Word(std::string_view& rest) {
  SkipBlanks(rest);
  std::size_t end = 0;
  while (end < rest.size() && rest[end] != ' ' && rest[end] != '\t') ++end;
  const std::string_view word = rest.substr(0, end);
  rest.remove_prefix(end);
  return word;
}

template <typename Number>
bool ParseNumber(std::string_view text, Number& number, int base = 10) {
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), number, base);
  return error == std::errc() && end == text.data() + text.size();
}

std::optional<std::uint32_t> TypeNamed(std::string_view name) {
  const std::pair<std::string_view, std::uint32_t> types[] = {
      {"REG_NONE", kRegNone},     {"REG_SZ", kRegSz},       {"REG_EXPAND_SZ", kRegExpandSz},
      {"REG_BINARY", kRegBinary}, {"REG_DWORD", kRegDword}, {"REG_MULTI_SZ", kRegMultiSz},
      {"REG_QWORD", kRegQword}};
  for (const auto& [typeName, type] : types) {
    if (name == typeName) return type;
  }
  return std::nullopt;
}

// One or more "text" pieces, each with escapes and an optional *N, as
// UTF-16LE with one terminating zero.
std::optional<std::vector<std::uint8_t>> QuotedText(std::string_view& rest) {
  std::vector<std::uint8_t> bytes;
  while (!rest.empty() && rest.front() == '"') {
    std::string piece;
    std::size_t at = 1;
    for (;; ++at) {
      if (at >= rest.size()) return std::nullopt;
      char c = rest[at];
      if (c == '"') break;
      if (c == '\\') {
        if (++at >= rest.size()) return std::nullopt;
        c = rest[at] == '0' ? '\0' : rest[at];
      }
      piece += c;
    }
    rest.remove_prefix(at + 1);
    std::size_t repeat = 1;
    if (!rest.empty() && rest.front() == '*') {
      std::size_t digits = 1;
      while (digits < rest.size() && std::isdigit(static_cast<unsigned char>(rest[digits]))) ++digits;
      if (!ParseNumber(rest.substr(1, digits - 1), repeat)) return std::nullopt;
      rest.remove_prefix(digits);
    }
    if (repeat > kMaxDataBytes || bytes.size() + repeat * piece.size() * 2 > kMaxDataBytes)
      return std::nullopt;
    for (std::size_t i = 0; i < repeat; ++i) {
      for (char c : piece) bytes.insert(bytes.end(), {static_cast<std::uint8_t>(c), 0});
    }
  }
  bytes.insert(bytes.end(), {0, 0});
  return bytes;
}

std::optional<std::vector<std::uint8_t>> Data(std::string_view& rest) {
  SkipBlanks(rest);
  if (!rest.empty() && rest.front() == '"') return QuotedText(rest);
  const std::string_view word = Word(rest);
  std::vector<std::uint8_t> bytes;
  if (word.substr(0, 6) == "dword:") {
    std::uint32_t value = 0;
    if (!ParseNumber(word.substr(6), value, 16)) return std::nullopt;
    for (int shift = 0; shift < 32; shift += 8) bytes.push_back(static_cast<std::uint8_t>(value >> shift));
    return bytes;
  }
  if (word.substr(0, 4) != "hex:") return std::nullopt;
  for (std::string_view hex = word.substr(4); !hex.empty();) {
    const std::size_t comma = hex.find(',');
    std::uint8_t byte = 0;
    if (!ParseNumber(hex.substr(0, comma), byte, 16)) return std::nullopt;
    bytes.push_back(byte);
    hex.remove_prefix(comma == std::string_view::npos ? hex.size() : comma + 1);
  }
  return bytes;
}

}  // namespace

std::optional<SettingsRow> ParseSettingsRow(std::string_view line) {
  SettingsRow row;
  std::string_view rest = line;
  SkipBlanks(rest);
  if (rest.empty() || rest.front() == '#') return std::nullopt;
  if (rest.front() == '@') {
    const std::string_view state = Word(rest);
    if (state == "@read-only") row.state = KeyState::ReadOnly;
    else if (state == "@unreadable") row.state = KeyState::Unreadable;
    else if (state == "@settings-is-a-value") row.state = KeyState::SettingsIsAValue;
    else return std::nullopt;
  }
  row.name = std::string(Word(rest));
  const auto type = TypeNamed(Word(rest));
  auto data = type ? Data(rest) : std::nullopt;
  if (row.name.empty() || !data || Word(rest) != "->") return std::nullopt;
  row.type = *type;
  row.data = std::move(*data);
  row.written = std::string(Word(rest));
  const std::string_view position = Word(rest);
  const std::size_t comma = position.find(',');
  if (row.written.empty() || comma == std::string_view::npos ||
      !ParseNumber(position.substr(0, comma), row.x) ||
      !ParseNumber(position.substr(comma + 1), row.y) || !Word(rest).empty()) {
    return std::nullopt;
  }
  return row;
}

std::vector<std::uint8_t> AnsiView(std::uint32_t type, const std::vector<std::uint8_t>& data) {
  if (!IsStringType(type)) return data;
  std::vector<std::uint8_t> narrow;
  for (std::size_t i = 0; i + 1 < data.size(); i += 2) {
    const unsigned unit = data[i] | (data[i + 1] << 8);
    narrow.push_back(unit < 0x80 ? static_cast<std::uint8_t>(unit) : std::uint8_t{'?'});
  }
  return narrow;
}

}  // namespace testing_support
