// The order of the address list. Its first entry is "the" address: the
// tooltip shows it and Copy IP Address copies it. Windows answers the
// computer's own name with every adapter's addresses in an order of its own,
// often a virtual switch's or a VPN's first, so the addresses of the adapter
// that carries the default route are put first.
#pragma once
#include <string>
#include <vector>

#include "platform/adapters.h"

namespace lookup {

// Puts the addresses of the adapter that carries the default route (the
// lowest metric, the route's own plus its interface's; of adapters tied
// there, the one whose address comes first) first, each group in the order
// it was given in. Without a default route through an adapter of these
// addresses the order is left as it is.
void DefaultRouteFirst(std::vector<std::wstring>& addresses,
                       const platform::AdapterSnapshot& snapshot);

// DefaultRouteFirst over the adapters as they are now, read only when the
// order can change: never for fewer than two addresses, and for the same
// addresses as the last lookup's (in any order) only when asked to look again.
class AddressOrder {
 public:
  explicit AddressOrder(platform::AdapterSource& source) : source_(source) {}

  // The name service's answer put in the order the list shows. A failed
  // read of the adapters leaves the name service's order.
  void Arrange(std::vector<std::wstring>& addresses, bool lookAgain);

 private:
  platform::AdapterSource& source_;
  std::vector<std::wstring> lastOrder_;  // the last lookup's addresses, as shown
};

}  // namespace lookup
