// Windows Sockets start and stop, and the host lookup, through fakes.
#include <gtest/gtest.h>

#include "lookup/host_lookup.h"
#include "resources/resource.h"
#include "tests/fakes/fakes.h"

namespace {

using namespace lookup;
using platform::MessageIcon;
using testing_support::FakeMessageBox;
using testing_support::FakeSockets;
using testing_support::FakeWindow;

TEST(Bytes, HibyteTruncatesTowardZeroBeforeMasking) {
  EXPECT_EQ(hibyte(0x0101), 1);
  EXPECT_EQ(lobyte(0x0101), 1);
  EXPECT_EQ(hibyte(0x0202), 2);
  EXPECT_EQ(hibyte(0x7FFF), 0x7F);
  EXPECT_EQ(lobyte(0x7FFF), 0xFF);
  EXPECT_EQ(hibyte(-1), 0);      // -1 / 256 is 0
  EXPECT_EQ(lobyte(-1), 255);
  EXPECT_EQ(hibyte(-256), 255);  // -1 AND 255
  EXPECT_EQ(hibyte(-257), 255);
}

TEST(Address, EachByteInDecimalJoinedByDots) {
  EXPECT_EQ(FormatAddress({10, 0, 0, 5}), L"10.0.0.5");
  EXPECT_EQ(FormatAddress({127, 0, 0, 1}), L"127.0.0.1");
  EXPECT_EQ(FormatAddress({255, 255, 255, 255}), L"255.255.255.255");
  EXPECT_EQ(FormatAddress({1, 2}), L"1.2");
  EXPECT_EQ(FormatAddress({}), L"");
}

TEST(Messages, TextsAreExactBlanksIncluded) {
  EXPECT_EQ(UnsupportedVersionMessage(1, 0),
            L"Windows Sockets version 1.0 is not supported by winsock.dll ");
  EXPECT_EQ(TooFewSocketsMessage(), L"This application requires a minimum of 1 supported sockets.");
  EXPECT_EQ(CleanupFailedMessage(-1), L"Socket error -1 occurred in Cleanup ");
  EXPECT_EQ(CleanupFailedMessage(10093), L"Socket error 10093 occurred in Cleanup ");
  EXPECT_EQ(HostNameFailedMessage(10093), L"Windows Sockets error  10093");
  EXPECT_EQ(HostNameFailedMessage(-3), L"Windows Sockets error -3");
}

TEST(SocketsInitialize, AsksForVersionOneOneAndAcceptsItOrHigher) {
  for (const std::uint16_t version : {0x0101, 0x0202, 0x0002, 0x0501}) {
    FakeSockets sockets;
    FakeMessageBox messages;
    sockets.info.version = version;
    EXPECT_TRUE(SocketsInitialize(sockets, messages)) << version;
    EXPECT_EQ(sockets.requestedVersion, 0x0101);
    EXPECT_TRUE(messages.shown.empty());
  }
}

TEST(SocketsInitialize, EachFailureShowsItsMessageAndEndsTheProcess) {
  struct Case {
    int startup;
    std::uint16_t version;
    std::int16_t maxSockets;
    std::wstring text, title;
    MessageIcon icon;
  };
  const Case cases[] = {
      {10091, 0x0101, 100, L"Winsock.dll is not responding.", L"Error", MessageIcon::Error},
      {0, 0x0001, 100, L"Windows Sockets version 1.0 is not supported by winsock.dll ",
       L"Adrelo Viewer", MessageIcon::None},
      {0, 0x0100, 100, L"Windows Sockets version 0.1 is not supported by winsock.dll ",
       L"Adrelo Viewer", MessageIcon::None},
      {0, 0x0101, 0, L"This application requires a minimum of 1 supported sockets.",
       L"Adrelo Viewer", MessageIcon::None},
      {0, 0x0101, -1, L"This application requires a minimum of 1 supported sockets.",
       L"Adrelo Viewer", MessageIcon::None},
  };
  for (const Case& c : cases) {
    FakeSockets sockets;
    FakeMessageBox messages;
    sockets.startupResult = c.startup;
    sockets.info = {c.version, c.maxSockets};
    EXPECT_FALSE(SocketsInitialize(sockets, messages));
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].text, c.text);
    EXPECT_EQ(messages.shown[0].title, c.title);
    EXPECT_EQ(messages.shown[0].icon, c.icon);
  }
}

TEST(SocketsCleanup, AFailureIsShownWithItsCode) {
  FakeSockets sockets;
  FakeMessageBox messages;
  EXPECT_TRUE(SocketsCleanup(sockets, messages));
  EXPECT_TRUE(messages.shown.empty());
  sockets.cleanupResult = -1;
  EXPECT_FALSE(SocketsCleanup(sockets, messages));
  ASSERT_EQ(messages.shown.size(), 1u);
  EXPECT_EQ(messages.shown[0].text, L"Socket error -1 occurred in Cleanup ");
  EXPECT_EQ(messages.shown[0].title, L"Adrelo Viewer");
  EXPECT_EQ(messages.shown[0].icon, MessageIcon::None);
}

TEST(LoadHostInfo, FillsTheFieldAndOneEntryPerAddressInOrder) {
  FakeSockets sockets;
  FakeMessageBox messages;
  FakeWindow window;
  sockets.hostName = "  adrelo-e2e ";
  sockets.entry = {{{192, 168, 77, 3}, {10, 0, 0, 5}, {127, 0, 0, 1}}};
  LoadHostInfo(sockets, messages, window);
  EXPECT_EQ(sockets.lookedUp, std::vector<std::string>{"adrelo-e2e"});  // blanks trimmed
  EXPECT_EQ(window.texts[IDC_Text1], L"adrelo-e2e");
  EXPECT_EQ(window.lists[IDC_List1],
            (std::vector<std::wstring>{L"192.168.77.3", L"10.0.0.5", L"127.0.0.1"}));
  EXPECT_TRUE(messages.shown.empty());
}

TEST(LoadHostInfo, AppendsToWhatTheListAlreadyHolds) {
  FakeSockets sockets;
  FakeMessageBox messages;
  FakeWindow window;
  window.lists[IDC_List1] = {L"old"};
  LoadHostInfo(sockets, messages, window);
  EXPECT_EQ(window.lists[IDC_List1], (std::vector<std::wstring>{L"old", L"10.0.0.5"}));
}

TEST(LoadHostInfo, FormatsEveryEntryFromItsAddressLength) {
  FakeSockets sockets;
  FakeMessageBox messages;
  FakeWindow window;
  sockets.entry = {{std::vector<std::uint8_t>(16, 0)}};
  LoadHostInfo(sockets, messages, window);
  EXPECT_EQ(window.lists[IDC_List1], std::vector<std::wstring>{L"0.0.0.0.0.0.0.0.0.0.0.0.0.0.0.0"});
}

TEST(LoadHostInfo, AFailingHostNameIsShownWithItsBlankSignedCode) {
  FakeSockets sockets;
  FakeMessageBox messages;
  FakeWindow window;
  sockets.hostNameResult = -1;
  sockets.lastError = 10093;
  LoadHostInfo(sockets, messages, window);
  ASSERT_EQ(messages.shown.size(), 1u);
  EXPECT_EQ(messages.shown[0].text, L"Windows Sockets error  10093");
  EXPECT_EQ(messages.shown[0].title, L"Adrelo Viewer");
  EXPECT_EQ(messages.shown[0].icon, MessageIcon::None);
  EXPECT_TRUE(sockets.lookedUp.empty());
  EXPECT_TRUE(window.texts.empty());
  EXPECT_TRUE(window.lists.empty());
}

TEST(LoadHostInfo, AFailingLookupIsShownAndLeavesTheControlsUntouched) {
  FakeSockets sockets;
  FakeMessageBox messages;
  FakeWindow window;
  sockets.lookupSucceeds = false;
  LoadHostInfo(sockets, messages, window);
  ASSERT_EQ(messages.shown.size(), 1u);
  EXPECT_EQ(messages.shown[0].text, L"Winsock.dll is not responding.");
  EXPECT_EQ(messages.shown[0].title, L"Adrelo Viewer");
  EXPECT_EQ(messages.shown[0].icon, MessageIcon::None);
  EXPECT_TRUE(window.texts.empty());
  EXPECT_TRUE(window.lists.empty());
}

TEST(LoadHostInfo, AHostNameFillingTheWholeBufferIsCutAtItsEnd) {
  FakeSockets sockets;
  FakeMessageBox messages;
  FakeWindow window;
  sockets.hostName = std::string(300, 'h');  // the fake writes 256 bytes, no terminator
  LoadHostInfo(sockets, messages, window);
  EXPECT_EQ(window.texts[IDC_Text1], std::wstring(256, L'h'));
}

}  // namespace
