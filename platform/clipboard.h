// The system clipboard, as the copy commands use it.
#pragma once
#include <string>

namespace platform {

class Clipboard {
 public:
  virtual ~Clipboard() = default;
  // Empties the clipboard and places text on it as plain text. False when the
  // clipboard could not be opened (another program holds it) or the text not
  // placed; the clipboard is then left as it was.
  virtual bool SetText(const std::wstring& text) = 0;
};

}  // namespace platform
