// The Windows Sockets 1.1 calls of the host lookup.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

namespace platform {

// The two fields of WSADATA that the program reads.
struct WinsockInfo {
  std::uint16_t version = 0;   // wVersion: low byte major, high byte minor
  std::int16_t maxSockets = 0; // iMaxSockets
};

// What the program reads of a hostent: for each element of h_addr_list, the
// h_length bytes it points to.
struct HostEntry {
  std::vector<std::vector<std::uint8_t>> addresses;
};

inline constexpr int kSocketError = -1;  // SOCKET_ERROR

class Sockets {
 public:
  virtual ~Sockets() = default;
  virtual int Startup(std::uint16_t requestedVersion, WinsockInfo* info) = 0;
  virtual int Cleanup() = 0;
  virtual int GetHostName(char* buffer, int length) = 0;
  virtual int LastError() = 0;
  // False where gethostbyname returns a null pointer.
  virtual bool GetHostByName(const std::string& name, HostEntry* entry) = 0;
};

}  // namespace platform
