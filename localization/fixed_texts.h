// Texts that are the same in every language and so live outside the string table.
#pragma once

namespace localization {

// The main window's title, and the title of every message box that names none.
inline constexpr wchar_t kAppTitle[] = L"Adrelo Viewer";

}  // namespace localization

namespace localization {

// The tooltip of the icon added with no address known, in every language.
inline constexpr wchar_t kNoAddressStartTip[] = L"Nqma Ip";

}  // namespace localization
