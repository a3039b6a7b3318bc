// The address list's hover tip: the adapter's kind, the default-route mark,
// the texts in both languages, and when the adapters are read.
#include <gtest/gtest.h>

#include "lookup/adapter_tip.h"
#include "tests/fakes/fakes.h"

namespace {

using lookup::AdapterKind;
using platform::AdapterInfo;
using platform::AdapterSnapshot;
using testing_support::FakeAdapterSource;
using testing_support::Narrow;
using testing_support::RcStringTable;

TEST(AdapterKind, FromTheTypeAndForEthernetTheMakersWords) {
  struct Case {
    std::uint32_t type;
    const wchar_t* description;
    AdapterKind expected;
  };
  for (const Case& c : {
           Case{6, L"Intel(R) Ethernet Connection I219-V", AdapterKind::Wired},
           Case{6, L"Hyper-V Virtual Ethernet Adapter #2", AdapterKind::VirtualSwitch},
           Case{6, L"vmware virtual ethernet adapter for VMnet8", AdapterKind::VirtualSwitch},
           Case{6, L"VirtualBox Host-Only Ethernet Adapter", AdapterKind::VirtualSwitch},
           // A virtual machine's own card is its real one.
           Case{6, L"Microsoft Hyper-V Network Adapter", AdapterKind::Wired},
           Case{6, L"TAP-Windows Adapter V9", AdapterKind::VpnOrTunnel},
           Case{71, L"Intel(R) Wi-Fi 6 AX201 160MHz", AdapterKind::Wireless},
           Case{71, L"Hyper-V Virtual Ethernet Adapter", AdapterKind::Wireless},
           Case{23, L"WAN Miniport (PPTP)", AdapterKind::VpnOrTunnel},
           Case{53, L"WireGuard Tunnel", AdapterKind::VpnOrTunnel},
           Case{131, L"Teredo Tunneling Pseudo-Interface", AdapterKind::VpnOrTunnel},
           Case{24, L"Software Loopback Interface 1", AdapterKind::Loopback},
           Case{243, L"Mobile Broadband Connection", AdapterKind::Other},
           Case{0, L"", AdapterKind::Other},
       }) {
    EXPECT_EQ(lookup::KindOfAdapter(c.type, c.description), c.expected) << Narrow(c.description);
  }
}

// The VPN's route has the higher metric of its own but the lower sum with its
// interface's metric.
AdapterSnapshot Laptop() {
  return {{{L"Ethernet", L"Intel(R) Ethernet Connection I219-V", 6, 12, 25, {{192, 168, 1, 10}},
            {{192, 168, 1, 1}}},
           {L"vEthernet (WSL)", L"Hyper-V Virtual Ethernet Adapter", 6, 30, 5000, {{172, 20, 0, 1}}, {}},
           {L"Corp VPN", L"Corp VPN", 53, 40, 1, {{10, 8, 0, 6}}, {{10, 8, 0, 1}, {10, 8, 0, 2}}}},
          {{12, 0}, {40, 10}}};
}

TEST(AdapterTip, NamesTheAdapterOfTheEntryInTheCurrentLanguage) {
  const RcStringTable table;
  struct Case {
    const wchar_t* entry;
    std::int16_t language;
    const wchar_t* expected;
  };
  for (const Case& c : {
           Case{L"10.8.0.6", 0,
                L"Corp VPN\r\nKind: VPN or tunnel\r\nGateway: 10.8.0.1, 10.8.0.2\r\n"
                L"Carries the default route"},
           Case{L"192.168.1.10", 0,
                L"Ethernet\r\nIntel(R) Ethernet Connection I219-V\r\nKind: wired\r\n"
                L"Gateway: 192.168.1.1"},
           Case{L"172.20.0.1", 0,
                L"vEthernet (WSL)\r\nHyper-V Virtual Ethernet Adapter\r\n"
                L"Kind: virtual machine or container switch\r\nNo gateway"},
           Case{L"127.0.1.1", 0, L"Not on an adapter of this computer"},
           Case{L"192.168.1.1", 0, L"Not on an adapter of this computer"},  // a gateway
           Case{L"10.8.0.6", 100,
                L"Corp VPN\r\nВид: VPN или тунел\r\nШлюз: 10.8.0.1, 10.8.0.2\r\n"
                L"Маршрутът по подразбиране минава оттук"},
       }) {
    EXPECT_EQ(lookup::AdapterTipText(Laptop(), c.entry, table, c.language), c.expected)
        << Narrow(c.entry) << " " << c.language;
  }
  EXPECT_EQ(lookup::AdapterTipText(std::nullopt, L"10.8.0.6", table, 0), L"");
}

TEST(AdapterTip, DefaultRouteMarksEveryAdapterTiedAtTheLowestMetric) {
  AdapterSnapshot snapshot = Laptop();
  snapshot.defaultRoutes = {{12, 0}, {40, 24}};
  EXPECT_TRUE(lookup::CarriesDefaultRoute(snapshot, snapshot.adapters[0]));
  EXPECT_TRUE(lookup::CarriesDefaultRoute(snapshot, snapshot.adapters[2]));
  EXPECT_FALSE(lookup::CarriesDefaultRoute(snapshot, snapshot.adapters[1]));
  snapshot.defaultRoutes.clear();
  EXPECT_FALSE(lookup::CarriesDefaultRoute(snapshot, snapshot.adapters[0]));
}

TEST(AdapterTips, ReadOnlyForATipAndAtMostOnceBetweenRefreshes) {
  const RcStringTable table;
  FakeAdapterSource source;
  source.snapshot.reset();
  lookup::AdapterTips tips(source);
  tips.Invalidate();
  EXPECT_EQ(source.reads, 0);
  EXPECT_EQ(tips.TipFor(L"10.8.0.6", table, 0), L"");  // a failed read: no tip
  EXPECT_EQ(tips.TipFor(L"192.168.1.10", table, 0), L"");
  EXPECT_EQ(source.reads, 1);
  source.snapshot = Laptop();
  tips.Invalidate();
  EXPECT_NE(tips.TipFor(L"10.8.0.6", table, 0), L"");
  EXPECT_NE(tips.TipFor(L"192.168.1.10", table, 0), L"");
  EXPECT_EQ(source.reads, 2);
}

}  // namespace
