// The address list's order.
#include "lookup/address_order.h"

#include <algorithm>
#include <utility>

#include "lookup/adapter_tip.h"

namespace lookup {

void DefaultRouteFirst(std::vector<std::wstring>& addresses,
                       const platform::AdapterSnapshot& snapshot) {
  // The first address, in the given order, on an adapter that carries the
  // default route decides which adapter comes first.
  const platform::AdapterInfo* first = nullptr;
  for (const std::wstring& address : addresses) {
    const platform::AdapterInfo* adapter = AdapterOf(snapshot, address);
    if (adapter != nullptr && CarriesDefaultRoute(snapshot, *adapter)) {
      first = adapter;
      break;
    }
  }
  if (first == nullptr) return;
  // Each of its addresses moved up behind the ones moved before it: the
  // order within both groups stays. (std::stable_partition's buffer would
  // bring in the C++ runtime's exception support.)
  std::size_t moved = 0;
  for (std::size_t i = 0; i < addresses.size(); ++i) {
    if (AdapterOf(snapshot, addresses[i]) != first) continue;
    for (std::size_t j = i; j > moved; --j) std::swap(addresses[j], addresses[j - 1]);
    ++moved;
  }
}

void AddressOrder::Arrange(std::vector<std::wstring>& addresses, bool lookAgain) {
  if (addresses.size() >= 2) {
    if (!lookAgain && std::is_permutation(addresses.begin(), addresses.end(), lastOrder_.begin(),
                                          lastOrder_.end())) {
      addresses = lastOrder_;
      return;
    }
    if (const auto snapshot = source_.Read()) DefaultRouteFirst(addresses, *snapshot);
  }
  lastOrder_ = addresses;
}

}  // namespace lookup
