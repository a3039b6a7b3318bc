// The language offset: string lookup, its overflow guard, the character set
// that goes with a language, and the choice of language at start-up.
#pragma once
#include <cstdint>
#include <optional>
#include <string>

#include "platform/message_box.h"
#include "platform/string_table.h"

namespace localization {

inline constexpr std::int16_t kCharsetAnsi = 0;       // ANSI_CHARSET
inline constexpr std::int16_t kCharsetCyrillic = 204;  // RUSSIAN_CHARSET

// The text of English string englishId in the language of offset. The id is
// the 16-bit sum of the two; when that sum would overflow, or the table has no
// such entry, there is no text and the caller sets nothing.
std::optional<std::wstring> LookupString(const platform::StringTable& table, int englishId,
                                         std::int16_t offset);

// The program's own message: string englishId in the language of offset,
// titled string 44 ("Error"), with the error icon and an OK button.
void ShowStringMessage(platform::MessageBoxOps& messages, const platform::StringTable& table,
                       int englishId, std::int16_t offset);

// 204 (Cyrillic) for the Bulgarian offset, 0 (ANSI) for any other.
std::int16_t CharsetForLanguage(std::int16_t offset);

// A stored 0 or 100 stays; anything else (1000 when nothing is stored) gives
// way to the thread's locale: Bulgarian for exactly 1026, English otherwise.
std::int16_t StartLanguage(std::int16_t stored, std::uint32_t threadLocale);

}  // namespace localization
