// Reads the string table and the shortcut keys from the resource script.
#include "tests/fakes/rc_file.h"

#include <fstream>
#include <sstream>
#include <stdexcept>

namespace testing_support {

std::string SourcePath(const std::string& relative) {
  return std::string(ADRELO_SOURCE_DIR) + "/" + relative;
}

namespace {

std::vector<std::string> ReadLines(const std::string& path) {
  std::ifstream in(path);
  if (!in) throw std::runtime_error("cannot read " + path);
  std::vector<std::string> lines;
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

std::string Trim(const std::string& text) {
  const auto first = text.find_first_not_of(" \t\r");
  if (first == std::string::npos) return {};
  return text.substr(first, text.find_last_not_of(" \t\r") - first + 1);
}

// "A + B + 3": each term a number or a name from the header.
long Evaluate(const std::string& expression, const std::map<std::string, long>& defines) {
  long sum = 0;
  std::stringstream terms(expression);
  for (std::string term; std::getline(terms, term, '+');) {
    term = Trim(term);
    if (term.empty()) throw std::runtime_error("empty term in " + expression);
    if (std::isdigit(static_cast<unsigned char>(term[0]))) {
      sum += std::stol(term, nullptr, 0);
    } else {
      const auto found = defines.find(term);
      if (found == defines.end()) throw std::runtime_error("unknown name " + term);
      sum += found->second;
    }
  }
  return sum;
}

// The lines between BEGIN and END of the first block whose header line
// contains keyword (nested blocks are not used by these two kinds).
std::vector<std::string> BlockLines(const std::vector<std::string>& lines,
                                    const std::string& keyword) {
  std::vector<std::string> block;
  bool inHeader = false, inBlock = false;
  for (const std::string& raw : lines) {
    const std::string line = Trim(raw);
    if (!inHeader && !inBlock) {
      if (line.find(keyword) != std::string::npos && line.rfind("//", 0) != 0) inHeader = true;
      continue;
    }
    if (inHeader) {
      if (line == "BEGIN") {
        inHeader = false;
        inBlock = true;
      }
      continue;
    }
    if (line == "END") break;
    if (!line.empty() && line.rfind("//", 0) != 0) block.push_back(line);
  }
  return block;
}

}  // namespace

std::map<std::string, long> ParseDefines(const std::string& headerPath) {
  std::map<std::string, long> defines;
  for (const std::string& line : ReadLines(headerPath)) {
    std::stringstream in(line);
    std::string directive, name, value;
    in >> directive >> name >> value;
    if (directive != "#define" || value.empty()) continue;
    if (!std::isdigit(static_cast<unsigned char>(value[0])) && value[0] != '-') continue;
    defines[name] = std::stol(value, nullptr, 0);
  }
  return defines;
}

std::wstring DecodeUtf8(const std::string& text) {
  std::wstring out;
  for (std::size_t i = 0; i < text.size();) {
    const auto lead = static_cast<unsigned char>(text[i]);
    const int extra = lead < 0x80 ? 0 : lead < 0xE0 ? 1 : lead < 0xF0 ? 2 : 3;
    char32_t code = extra == 0 ? lead : lead & (0x3F >> extra);
    if (i + static_cast<std::size_t>(extra) >= text.size()) throw std::runtime_error("truncated UTF-8");
    for (int k = 1; k <= extra; ++k) code = (code << 6) | (static_cast<unsigned char>(text[i + k]) & 0x3F);
    out += static_cast<wchar_t>(code);
    i += static_cast<std::size_t>(extra) + 1;
  }
  return out;
}

std::map<int, std::wstring> ParseStringTable(const std::string& rcPath,
                                             const std::map<std::string, long>& defines) {
  std::map<int, std::wstring> table;
  for (const std::string& line : BlockLines(ReadLines(rcPath), "STRINGTABLE")) {
    const auto open = line.find('"');
    const auto close = line.rfind('"');
    if (open == std::string::npos || close == open) throw std::runtime_error("bad entry: " + line);
    // Inside a resource string a doubled quote stands for one.
    std::string quoted;
    for (std::size_t i = open + 1; i < close; ++i) {
      quoted += line[i];
      if (line[i] == '"') ++i;
    }
    const int id = static_cast<int>(Evaluate(line.substr(0, open), defines));
    if (!table.emplace(id, DecodeUtf8(quoted)).second) {
      throw std::runtime_error("duplicate id " + std::to_string(id));
    }
  }
  return table;
}

std::vector<RcAccelerator> ParseAccelerators(const std::string& rcPath,
                                             const std::map<std::string, long>& defines) {
  std::map<std::string, long> names = defines;
  for (int n = 1; n <= 24; ++n) names["VK_F" + std::to_string(n)] = 0x6F + n;
  std::vector<RcAccelerator> accelerators;
  for (const std::string& line : BlockLines(ReadLines(rcPath), "ACCELERATORS")) {
    std::vector<std::string> fields;
    std::stringstream in(line);
    for (std::string field; std::getline(in, field, ',');) fields.push_back(Trim(field));
    if (fields.size() < 3) throw std::runtime_error("bad accelerator: " + line);
    RcAccelerator accelerator{};
    accelerator.key = fields[0][0] == '"' ? static_cast<std::uint16_t>(fields[0][1])
                                          : static_cast<std::uint16_t>(Evaluate(fields[0], names));
    accelerator.command = static_cast<int>(Evaluate(fields[1], defines));
    for (std::size_t i = 2; i < fields.size(); ++i) {
      if (fields[i] == "VIRTKEY") accelerator.flags |= 0x01;
      if (fields[i] == "SHIFT") accelerator.flags |= 0x04;
      if (fields[i] == "CONTROL") accelerator.flags |= 0x08;
      if (fields[i] == "ALT") accelerator.flags |= 0x10;
    }
    accelerators.push_back(accelerator);
  }
  return accelerators;
}

}  // namespace testing_support
