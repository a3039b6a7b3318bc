// The language offset and the string lookup.
#include "localization/language.h"

#include <limits>

#include "platform/locale.h"
#include "resources/resource.h"

namespace localization {

std::optional<std::wstring> LookupString(const platform::StringTable& table, int englishId,
                                         std::int16_t offset) {
  const int id = englishId + offset;
  if (id > std::numeric_limits<std::int16_t>::max() ||
      id < std::numeric_limits<std::int16_t>::min()) {
    return std::nullopt;
  }
  return table.Load(id);
}

void ShowStringMessage(platform::MessageBoxOps& messages, const platform::StringTable& table,
                       int englishId, std::int16_t offset) {
  const auto text = LookupString(table, englishId, offset);
  const auto title = LookupString(table, IDS_ERROR_TITLE, offset);
  if (text && title) messages.Show(*text, *title, platform::MessageIcon::Error);
}

std::int16_t CharsetForLanguage(std::int16_t offset) {
  return offset == LANGUAGE_OFFSET_BULGARIAN ? kCharsetCyrillic : kCharsetAnsi;
}

std::int16_t StartLanguage(std::int16_t stored, std::uint32_t threadLocale) {
  if (stored == LANGUAGE_OFFSET_ENGLISH || stored == LANGUAGE_OFFSET_BULGARIAN) return stored;
  return threadLocale == platform::kLocaleBulgarian ? std::int16_t{LANGUAGE_OFFSET_BULGARIAN}
                                                    : std::int16_t{LANGUAGE_OFFSET_ENGLISH};
}

}  // namespace localization
