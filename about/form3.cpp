// The About window's texts and the link's looks.
#include "about/form3.h"

#include "localization/language.h"
#include "platform/text.h"
#include "resources/resource.h"

namespace about {

std::optional<std::wstring> VersionLine(const platform::ExecutableInfo& executable,
                                        const platform::StringTable& strings,
                                        std::int16_t language) {
  const auto separator = localization::LookupString(strings, IDS_VERSION_SEPARATOR, language);
  if (!separator) return std::nullopt;
  return executable.baseName + *separator + platform::DecimalText(executable.majorVersion) + L"." +
         platform::DecimalText(executable.minorVersion);
}

Form3Texts LoadTexts(const platform::ExecutableInfo& executable,
                     const platform::StringTable& strings, std::int16_t language) {
  return {localization::LookupString(strings, IDS_ABOUT_TITLE, language),
          localization::LookupString(strings, IDS_MAKER_LINE, language),
          VersionLine(executable, strings, language)};
}

bool LinkHighlight::MoveOverLink() {
  if (look_.colour == kColourPureBlue) return false;
  return Set({kColourPureBlue, true});
}

bool LinkHighlight::MoveOverRest() { return Set({kColourBlack, false}); }

bool LinkHighlight::Set(LinkLook look) {
  const bool changed = look != look_;
  look_ = look;
  return changed;
}

}  // namespace about
