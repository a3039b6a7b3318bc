// The host lookup against Wine's Windows Sockets.
#include <winsock.h>
#include <windows.h>

#include <gtest/gtest.h>

#include "lookup/host_lookup.h"
#include "platform/win32/sockets_win32.h"
#include "resources/resource.h"
#include "tests/fakes/fakes.h"

namespace {

using testing_support::FakeMessageBox;
using testing_support::FakeWindow;

TEST(RealLookup, FillsTheHostNameAndTheNameServicesAddressesInOrder) {
  platform::win32::Win32Sockets sockets;
  FakeMessageBox messages;
  FakeWindow window;
  ASSERT_TRUE(lookup::SocketsInitialize(sockets, messages));

  char name[256] = {};
  ASSERT_EQ(gethostname(name, sizeof(name)), 0);
  std::vector<std::wstring> expected;
  const hostent* host = gethostbyname(name);
  ASSERT_NE(host, nullptr);
  ASSERT_EQ(host->h_length, 4);
  for (char** address = host->h_addr_list; *address; ++address) {
    const auto* b = reinterpret_cast<const unsigned char*>(*address);
    expected.push_back(std::to_wstring(b[0]) + L"." + std::to_wstring(b[1]) + L"." +
                       std::to_wstring(b[2]) + L"." + std::to_wstring(b[3]));
  }

  lookup::LoadHostInfo(sockets, messages, window);
  EXPECT_TRUE(messages.shown.empty());
  EXPECT_EQ(window.texts[IDC_Text1], std::wstring(name, name + strlen(name)));
  EXPECT_EQ(window.lists[IDC_List1], expected);
  EXPECT_FALSE(expected.empty());
  EXPECT_TRUE(lookup::SocketsCleanup(sockets, messages));
  EXPECT_TRUE(messages.shown.empty());
}

TEST(RealLookup, CleanupWithoutStartupFailsWithAMessage) {
  platform::win32::Win32Sockets sockets;
  FakeMessageBox messages;
  EXPECT_FALSE(lookup::SocketsCleanup(sockets, messages));
  ASSERT_EQ(messages.shown.size(), 1u);
  EXPECT_EQ(messages.shown[0].text, L"Socket error -1 occurred in Cleanup ");
}

}  // namespace
