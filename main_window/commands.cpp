// The main window's copy commands.
#include "main_window/commands.h"

#include "resources/resource.h"

namespace main_window {

bool CopyToClipboard(platform::Clipboard& clipboard, const std::wstring& text) {
  return clipboard.SetText(text);
}

bool CopyHostName(platform::WindowOps& window, platform::Clipboard& clipboard) {
  return CopyToClipboard(clipboard, window.Text(IDC_Text1));
}

}  // namespace main_window
