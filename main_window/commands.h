// The main window's copy commands.
#pragma once
#include <string>

#include "platform/clipboard.h"
#include "platform/window_ops.h"

namespace main_window {

// Empty the clipboard, then place text on it as plain text. Every copy does
// exactly this. False when the clipboard stayed held by another program.
bool CopyToClipboard(platform::Clipboard& clipboard, const std::wstring& text);

// Copy Host Name: the text of Text1, as it stands (an empty field gives an
// empty text).
bool CopyHostName(platform::WindowOps& window, platform::Clipboard& clipboard);

}  // namespace main_window
