// Captions of the main window in the current language.
#pragma once
#include <cstdint>

#include "platform/string_table.h"
#include "platform/window_ops.h"

namespace localization {

// Gives each label its character set and caption and each menu item its
// caption, all 21 in a fixed order. Stops at a lookup that has no text (the
// overflow guard); false then.
bool LoadSetings(platform::WindowOps& window, const platform::StringTable& table,
                 std::int16_t charset, std::int16_t language);

}  // namespace localization
