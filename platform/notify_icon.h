// The program's one icon in the notification area: its window, id and
// callback message are fixed when it is made; the tooltip changes, and the
// image follows the taskbar's scale.
#pragma once
#include <string>

namespace platform {

class NotifyIcon {
 public:
  virtual ~NotifyIcon() = default;
  // Each is one request to the shell; false when the shell refused it (an
  // add while the icon exists, a change or removal while it does not).
  virtual bool Add(const std::wstring& tip) = 0;
  virtual bool Modify(const std::wstring& tip) = 0;
  virtual bool Delete() = 0;
  // A request that changes nothing: false when the shell no longer has the
  // icon (it lost it without a TaskbarCreated reaching the program).
  virtual bool Check() = 0;
  // The image made again for the size the taskbar now shows and sent, when
  // that size changed; false when the shell refused it.
  virtual bool FollowScale() = 0;
  // Whether a shell is there to take an add.
  virtual bool ShellPresent() const = 0;
};

}  // namespace platform
