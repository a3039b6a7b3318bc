// The sockets interface on Windows Sockets 1.1, through ws2_32: a KnownDLL,
// which Windows never looks for beside the program (wsock32 is not one, and a
// wsock32.dll dropped next to a downloaded exe would be loaded in its place).
#include "platform/win32/sockets_win32.h"

#include <winsock2.h>

namespace platform::win32 {

int Win32Sockets::Startup(std::uint16_t requestedVersion, WinsockInfo* info) {
  WSADATA data{};
  const int rc = WSAStartup(requestedVersion, &data);
  info->version = data.wVersion;
  info->maxSockets = static_cast<std::int16_t>(data.iMaxSockets);
  return rc;
}

int Win32Sockets::Cleanup() { return WSACleanup(); }

int Win32Sockets::GetHostName(char* buffer, int length) { return gethostname(buffer, length); }

int Win32Sockets::LastError() { return WSAGetLastError(); }

bool Win32Sockets::GetHostByName(const std::string& name, HostEntry* entry) {
  const hostent* host = gethostbyname(name.c_str());
  if (host == nullptr) return false;
  // Copied at once: the structure belongs to the sockets library and the
  // next call on this thread overwrites it.
  entry->addresses.clear();
  const int length = host->h_length > 0 ? host->h_length : 0;
  for (char** address = host->h_addr_list; address != nullptr && *address != nullptr; ++address) {
    const auto* bytes = reinterpret_cast<const std::uint8_t*>(*address);
    entry->addresses.emplace_back(bytes, bytes + length);
  }
  return true;
}

}  // namespace platform::win32
