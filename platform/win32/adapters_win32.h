// The adapters and default routes from the IP Helper library, which is loaded
// when they are first read, so that start-up does not pay for it, and kept
// while this object lives.
#pragma once
#include <memory>

#include "platform/adapters.h"

namespace platform::win32 {

class Win32AdapterSource final : public AdapterSource {
 public:
  Win32AdapterSource();
  ~Win32AdapterSource() override;
  Win32AdapterSource(const Win32AdapterSource&) = delete;
  Win32AdapterSource& operator=(const Win32AdapterSource&) = delete;

  std::optional<AdapterSnapshot> Read() override;

 private:
  // Its types come from <winsock2.h>, which cannot share a file with the
  // <winsock.h> of the sockets layer.
  struct Library;
  std::unique_ptr<Library> library_;
  bool loadTried_ = false;
};

}  // namespace platform::win32
