// The computer's network adapters with their IPv4 addresses and gateways, and
// the IPv4 default routes, as the address list's hover tip reads them.
#pragma once
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace platform {

using Ipv4Address = std::array<std::uint8_t, 4>;  // in the order the list shows them

struct AdapterInfo {
  std::wstring friendlyName;          // "Ethernet"
  std::wstring description;           // "Intel(R) Ethernet Connection I219-V"
  std::uint32_t interfaceType = 0;    // IANA ifType: 6 Ethernet, 71 IEEE 802.11, ...
  std::uint32_t interfaceIndex = 0;   // the IPv4 index the route table names it by
  std::uint32_t interfaceMetric = 0;  // added to the metric of each of its routes
  std::vector<Ipv4Address> addresses;  // unicast
  std::vector<Ipv4Address> gateways;
};

// A route to 0.0.0.0/0.
struct DefaultRoute {
  std::uint32_t interfaceIndex = 0;
  std::uint32_t metric = 0;  // the route's own, without its interface's
};

struct AdapterSnapshot {
  std::vector<AdapterInfo> adapters;
  std::vector<DefaultRoute> defaultRoutes;
};

class AdapterSource {
 public:
  virtual ~AdapterSource() = default;
  // Nothing when the adapters or the routes cannot be read.
  virtual std::optional<AdapterSnapshot> Read() = 0;
};

}  // namespace platform
