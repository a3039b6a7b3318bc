// The About window's rules, apart from Win32: the texts of its load step and
// the link's two looks.
#pragma once
#include <cstdint>
#include <optional>
#include <string>

#include "platform/executable.h"
#include "platform/string_table.h"

namespace about {

// The maker's web page: the link's text and the address the shell opens. A
// placeholder under the reserved .example domain until the real one is known.
inline constexpr wchar_t kMakerAddress[] = L"http://www.varnosk.example/";

// Colours as Windows keeps them, 0x00BBGGRR.
inline constexpr std::uint32_t kColourPureBlue = 0x00FF0000;
inline constexpr std::uint32_t kColourBlack = 0x00000000;

// The executable's base name, string 48 in the language, the major version,
// ".", the minor version ("Adrelo  vers. 1.0"). Nothing when the lookup fails.
std::optional<std::wstring> VersionLine(const platform::ExecutableInfo& executable,
                                        const platform::StringTable& strings,
                                        std::int16_t language);

// What the load step shows; an absent text is not set.
struct Form3Texts {
  std::optional<std::wstring> title;        // string 46
  std::optional<std::wstring> makerLine;    // string 47, for Label1
  std::optional<std::wstring> versionLine;  // for Label2
};
Form3Texts LoadTexts(const platform::ExecutableInfo& executable,
                     const platform::StringTable& strings, std::int16_t language);

struct LinkLook {
  std::uint32_t colour;
  bool underline;
  bool operator==(const LinkLook&) const = default;
};

// The link's look under the mouse: a move over the link lights it (pure blue,
// underlined) unless its colour is pure blue already; a move over any other
// part of the window sets it plain (black, no underline), every time. Each
// move says whether the look changed, so the window repaints only then.
class LinkHighlight {
 public:
  explicit LinkHighlight(std::uint32_t startColour) : look_{startColour, false} {}
  const LinkLook& look() const { return look_; }
  bool MoveOverLink();
  bool MoveOverRest();

 private:
  bool Set(LinkLook look);
  LinkLook look_;
};

}  // namespace about
