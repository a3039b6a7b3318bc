// Which adapter an address of the list is on: the hover tip that names it,
// its kind and gateway, and marks the adapter that carries the default route.
#pragma once
#include <cstdint>
#include <optional>
#include <string>

#include "platform/adapters.h"
#include "platform/string_table.h"

namespace lookup {

enum class AdapterKind { Wired, Wireless, VpnOrTunnel, VirtualSwitch, Loopback, Other };

// From the IANA interface type. Virtual switches and some VPN adapters present
// themselves as Ethernet: for those the description's maker words decide.
AdapterKind KindOfAdapter(std::uint32_t interfaceType, const std::wstring& description);

// Whether adapter holds a default route of the lowest metric, the route's own
// plus its interface's, among the snapshot's adapters. Adapters tied at the
// lowest metric each hold one.
bool CarriesDefaultRoute(const platform::AdapterSnapshot& snapshot,
                         const platform::AdapterInfo& adapter);

// The adapter that has the address entry (in dotted decimal): the first of
// the snapshot's that has it. Nothing for an address no adapter has.
const platform::AdapterInfo* AdapterOf(const platform::AdapterSnapshot& snapshot,
                                       const std::wstring& entry);

// The tip of the list entry (an address in dotted decimal) in the language of
// offset: lines joined by "\r\n", for a multiline tooltip. Empty when the read
// failed (snapshot is nothing): then there is no tip.
std::wstring AdapterTipText(const std::optional<platform::AdapterSnapshot>& snapshot,
                            const std::wstring& entry, const platform::StringTable& table,
                            std::int16_t offset);

// The tips of the address list. The adapters are read when a tip is first
// asked for after a refresh of the list, and at most once until the next.
class AdapterTips {
 public:
  explicit AdapterTips(platform::AdapterSource& source) : source_(source) {}

  // The list has been refilled: the next tip reads the adapters again.
  void Invalidate() { snapshot_.reset(); }

  std::wstring TipFor(const std::wstring& entry, const platform::StringTable& table,
                      std::int16_t offset);

 private:
  platform::AdapterSource& source_;
  // Outer: read since the last refresh; inner: what that read gave.
  std::optional<std::optional<platform::AdapterSnapshot>> snapshot_;
};

}  // namespace lookup
