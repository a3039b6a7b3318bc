// Modal message boxes with a single OK button.
#pragma once
#include <string>

namespace platform {

enum class MessageIcon { None, Error };

class MessageBoxOps {
 public:
  virtual ~MessageBoxOps() = default;
  virtual void Show(const std::wstring& text, const std::wstring& title, MessageIcon icon) = 0;
};

}  // namespace platform
