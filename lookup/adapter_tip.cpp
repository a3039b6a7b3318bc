// The address list's hover tip.
#include "lookup/adapter_tip.h"

#include <algorithm>
#include <string_view>

#include "localization/language.h"
#include "lookup/host_lookup.h"
#include "resources/resource.h"

namespace lookup {

namespace {

// IANA ifType numbers.
constexpr std::uint32_t kEthernet = 6;
constexpr std::uint32_t kPpp = 23;
constexpr std::uint32_t kSoftwareLoopback = 24;
constexpr std::uint32_t kPropVirtual = 53;
constexpr std::uint32_t kIeee80211 = 71;
constexpr std::uint32_t kTunnel = 131;

// Host-side adapters only: a guest's own network card can carry a maker's name
// too ("Microsoft Hyper-V Network Adapter", "Parallels VirtIO Ethernet
// Adapter"), and inside the guest it is the real one.
constexpr std::wstring_view kVirtualSwitchWords[] = {
    L"Hyper-V Virtual Ethernet",  // Hyper-V switches, WSL and Docker Desktop
    L"VMware Virtual Ethernet",   // VMware's VMnet adapters
    L"VirtualBox Host-Only",
};
constexpr std::wstring_view kVpnWords[] = {
    L"TAP-Windows",  // OpenVPN's driver, shared by many VPN clients
    L"AnyConnect",
};

wchar_t LowerAscii(wchar_t c) {
  return c >= L'A' && c <= L'Z' ? static_cast<wchar_t>(c - L'A' + L'a') : c;
}

bool ContainsWord(std::wstring_view text, std::wstring_view word) {
  return std::search(text.begin(), text.end(), word.begin(), word.end(), [](wchar_t a, wchar_t b) {
           return LowerAscii(a) == LowerAscii(b);
         }) != text.end();
}

template <std::size_t N>
bool ContainsAny(std::wstring_view text, const std::wstring_view (&words)[N]) {
  return std::any_of(std::begin(words), std::end(words),
                     [&](std::wstring_view word) { return ContainsWord(text, word); });
}

int KindString(AdapterKind kind) {
  switch (kind) {
    case AdapterKind::Wired: return IDS_ADAPTER_WIRED;
    case AdapterKind::Wireless: return IDS_ADAPTER_WIRELESS;
    case AdapterKind::VpnOrTunnel: return IDS_ADAPTER_VPN;
    case AdapterKind::VirtualSwitch: return IDS_ADAPTER_VIRTUAL_SWITCH;
    case AdapterKind::Loopback: return IDS_ADAPTER_LOOPBACK;
    case AdapterKind::Other: break;
  }
  return IDS_ADAPTER_OTHER;
}

std::wstring Dotted(const platform::Ipv4Address& address) {
  return FormatAddress({address.begin(), address.end()});
}

// The lowest metric of the default routes through adapter; nothing when it has none.
std::optional<std::uint64_t> LowestDefaultMetric(const platform::AdapterSnapshot& snapshot,
                                                 const platform::AdapterInfo& adapter) {
  std::optional<std::uint64_t> lowest;
  for (const auto& route : snapshot.defaultRoutes) {
    if (route.interfaceIndex != adapter.interfaceIndex) continue;
    const std::uint64_t metric = std::uint64_t{route.metric} + adapter.interfaceMetric;
    if (!lowest || metric < *lowest) lowest = metric;
  }
  return lowest;
}

}  // namespace

AdapterKind KindOfAdapter(std::uint32_t interfaceType, const std::wstring& description) {
  switch (interfaceType) {
    case kEthernet:
      if (ContainsAny(description, kVirtualSwitchWords)) return AdapterKind::VirtualSwitch;
      if (ContainsAny(description, kVpnWords)) return AdapterKind::VpnOrTunnel;
      return AdapterKind::Wired;
    case kIeee80211: return AdapterKind::Wireless;
    case kPpp:
    case kTunnel:
    case kPropVirtual: return AdapterKind::VpnOrTunnel;
    case kSoftwareLoopback: return AdapterKind::Loopback;
    default: return AdapterKind::Other;
  }
}

bool CarriesDefaultRoute(const platform::AdapterSnapshot& snapshot,
                         const platform::AdapterInfo& adapter) {
  const auto own = LowestDefaultMetric(snapshot, adapter);
  if (!own) return false;
  return std::none_of(snapshot.adapters.begin(), snapshot.adapters.end(), [&](const auto& other) {
    const auto metric = LowestDefaultMetric(snapshot, other);
    return metric && *metric < *own;
  });
}

const platform::AdapterInfo* AdapterOf(const platform::AdapterSnapshot& snapshot,
                                       const std::wstring& entry) {
  const auto adapter =
      std::find_if(snapshot.adapters.begin(), snapshot.adapters.end(), [&](const auto& a) {
        return std::any_of(a.addresses.begin(), a.addresses.end(),
                           [&](const auto& address) { return Dotted(address) == entry; });
      });
  return adapter == snapshot.adapters.end() ? nullptr : &*adapter;
}

std::wstring AdapterTipText(const std::optional<platform::AdapterSnapshot>& snapshot,
                            const std::wstring& entry, const platform::StringTable& table,
                            std::int16_t offset) {
  if (!snapshot) return {};
  const auto text = [&](int id) {
    return localization::LookupString(table, id, offset).value_or(std::wstring());
  };
  const platform::AdapterInfo* adapter = AdapterOf(*snapshot, entry);
  if (adapter == nullptr) return text(IDS_ADAPTER_NOT_ON_ADAPTER);

  std::wstring tip;
  const auto addLine = [&](const std::wstring& line) {
    if (!tip.empty()) tip += L"\r\n";
    tip += line;
  };
  if (!adapter->friendlyName.empty()) addLine(adapter->friendlyName);
  // Some adapters (all of them under Wine) describe themselves by their name.
  if (!adapter->description.empty() && adapter->description != adapter->friendlyName) {
    addLine(adapter->description);
  }
  addLine(text(IDS_ADAPTER_KIND_LABEL) +
          text(KindString(KindOfAdapter(adapter->interfaceType, adapter->description))));
  if (adapter->gateways.empty()) {
    addLine(text(IDS_ADAPTER_NO_GATEWAY));
  } else {
    std::wstring line = text(IDS_ADAPTER_GATEWAY_LABEL);
    for (std::size_t i = 0; i < adapter->gateways.size(); ++i) {
      if (i > 0) line += L", ";
      line += Dotted(adapter->gateways[i]);
    }
    addLine(line);
  }
  if (CarriesDefaultRoute(*snapshot, *adapter)) addLine(text(IDS_ADAPTER_DEFAULT_ROUTE));
  return tip;
}

std::wstring AdapterTips::TipFor(const std::wstring& entry, const platform::StringTable& table,
                                 std::int16_t offset) {
  if (!snapshot_) snapshot_ = source_.Read();
  return AdapterTipText(*snapshot_, entry, table, offset);
}

}  // namespace lookup
