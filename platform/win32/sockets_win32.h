// The sockets interface on Windows Sockets 1.1 (wsock32).
#pragma once
#include "platform/sockets.h"

namespace platform::win32 {

class Win32Sockets final : public Sockets {
 public:
  int Startup(std::uint16_t requestedVersion, WinsockInfo* info) override;
  int Cleanup() override;
  int GetHostName(char* buffer, int length) override;
  int LastError() override;
  bool GetHostByName(const std::string& name, HostEntry* entry) override;
};

}  // namespace platform::win32
