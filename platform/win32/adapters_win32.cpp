// The adapters and default routes from the IP Helper library.
#include "platform/win32/adapters_win32.h"

#include <winsock2.h>
#include <ws2ipdef.h>
#include <iphlpapi.h>

#include <cstddef>
#include <cstring>

#include "platform/win32/system_library.h"

namespace platform::win32 {

namespace {

// Microsoft's suggested first size: most machines need no second call.
constexpr ULONG kFirstBufferSize = 15 * 1024;
// The list can grow between the call that sizes it and the next.
constexpr int kAttempts = 3;
constexpr ULONG kFlags = GAA_FLAG_SKIP_ANYCAST | GAA_FLAG_SKIP_MULTICAST |
                         GAA_FLAG_SKIP_DNS_SERVER | GAA_FLAG_INCLUDE_GATEWAYS;

bool CopyIpv4(const SOCKET_ADDRESS& address, Ipv4Address* out) {
  if (address.lpSockaddr == nullptr || address.lpSockaddr->sa_family != AF_INET) return false;
  const auto* in = reinterpret_cast<const sockaddr_in*>(address.lpSockaddr);
  std::memcpy(out->data(), &in->sin_addr, out->size());
  return true;
}

}  // namespace

struct Win32AdapterSource::Library {
  UniqueModule module;
  decltype(&::GetAdaptersAddresses) getAdaptersAddresses = nullptr;
  decltype(&::GetIpForwardTable2) getIpForwardTable2 = nullptr;
  decltype(&::FreeMibTable) freeMibTable = nullptr;

  std::optional<std::vector<AdapterInfo>> Adapters() const;
  std::optional<std::vector<DefaultRoute>> DefaultRoutes() const;
};

std::optional<std::vector<AdapterInfo>> Win32AdapterSource::Library::Adapters() const {
  // 8-byte elements: the structures are aligned to 8.
  std::vector<std::uint64_t> buffer;
  ULONG size = kFirstBufferSize;
  ULONG rc = ERROR_BUFFER_OVERFLOW;
  for (int attempt = 0; attempt < kAttempts && rc == ERROR_BUFFER_OVERFLOW; ++attempt) {
    buffer.assign(size / sizeof(std::uint64_t) + 1, 0);
    size = static_cast<ULONG>(buffer.size() * sizeof(std::uint64_t));
    rc = getAdaptersAddresses(AF_INET, kFlags, nullptr,
                              reinterpret_cast<IP_ADAPTER_ADDRESSES*>(buffer.data()), &size);
  }
  std::vector<AdapterInfo> adapters;
  if (rc == ERROR_NO_DATA) return adapters;
  if (rc != NO_ERROR) return std::nullopt;
  for (const auto* adapter = reinterpret_cast<const IP_ADAPTER_ADDRESSES*>(buffer.data());
       adapter != nullptr; adapter = adapter->Next) {
    AdapterInfo& info = adapters.emplace_back();
    if (adapter->FriendlyName != nullptr) info.friendlyName = adapter->FriendlyName;
    if (adapter->Description != nullptr) info.description = adapter->Description;
    info.interfaceType = adapter->IfType;
    info.interfaceIndex = adapter->IfIndex;
    // Length says how much of the structure this Windows fills.
    if (adapter->Length >= offsetof(IP_ADAPTER_ADDRESSES, Ipv4Metric) + sizeof adapter->Ipv4Metric) {
      info.interfaceMetric = adapter->Ipv4Metric;
    }
    Ipv4Address address;
    for (auto* unicast = adapter->FirstUnicastAddress; unicast != nullptr; unicast = unicast->Next) {
      if (CopyIpv4(unicast->Address, &address)) info.addresses.push_back(address);
    }
    for (auto* gateway = adapter->FirstGatewayAddress; gateway != nullptr; gateway = gateway->Next) {
      if (CopyIpv4(gateway->Address, &address)) info.gateways.push_back(address);
    }
  }
  return adapters;
}

std::optional<std::vector<DefaultRoute>> Win32AdapterSource::Library::DefaultRoutes() const {
  MIB_IPFORWARD_TABLE2* table = nullptr;
  const DWORD rc = getIpForwardTable2(AF_INET, &table);
  std::vector<DefaultRoute> routes;
  // An empty table is "not found".
  if (rc == ERROR_NOT_FOUND) return routes;
  if (rc != NO_ERROR || table == nullptr) return std::nullopt;
  for (ULONG i = 0; i < table->NumEntries; ++i) {
    const MIB_IPFORWARD_ROW2& row = table->Table[i];
    if (row.DestinationPrefix.PrefixLength == 0 && row.DestinationPrefix.Prefix.si_family == AF_INET) {
      routes.push_back({row.InterfaceIndex, row.Metric});
    }
  }
  freeMibTable(table);
  return routes;
}

Win32AdapterSource::Win32AdapterSource() = default;
Win32AdapterSource::~Win32AdapterSource() = default;

std::optional<AdapterSnapshot> Win32AdapterSource::Read() {
  if (!loadTried_) {
    loadTried_ = true;
    auto library = std::make_unique<Library>();
    library->module = LoadSystemLibrary(L"iphlpapi.dll");
    const HMODULE module = library->module.get();
    library->getAdaptersAddresses =
        ResolveFunction<decltype(&::GetAdaptersAddresses)>(module, "GetAdaptersAddresses");
    library->getIpForwardTable2 =
        ResolveFunction<decltype(&::GetIpForwardTable2)>(module, "GetIpForwardTable2");
    library->freeMibTable = ResolveFunction<decltype(&::FreeMibTable)>(module, "FreeMibTable");
    if (library->getAdaptersAddresses && library->getIpForwardTable2 && library->freeMibTable) {
      library_ = std::move(library);
    }
  }
  if (!library_) return std::nullopt;
  auto adapters = library_->Adapters();
  if (!adapters) return std::nullopt;
  auto routes = library_->DefaultRoutes();
  if (!routes) return std::nullopt;
  return AdapterSnapshot{std::move(*adapters), std::move(*routes)};
}

}  // namespace platform::win32
