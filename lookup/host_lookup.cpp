// Windows Sockets start and stop, and the host lookup.
#include "lookup/host_lookup.h"

#include <algorithm>
#include <array>

#include "localization/fixed_texts.h"
#include "platform/text.h"
#include "resources/resource.h"

namespace lookup {

using localization::kAppTitle;
using platform::MessageIcon;

std::int32_t hibyte(std::int16_t value) { return (std::int32_t{value} / 256) & 255; }

std::int32_t lobyte(std::int16_t value) { return std::int32_t{value} & 255; }

std::wstring FormatAddress(const std::vector<std::uint8_t>& bytes) {
  std::wstring text;
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    if (i > 0) text += L'.';
    text += platform::DecimalText(bytes[i]);
  }
  return text;
}

namespace {

// A number as BASIC's Str$ writes it: a blank where a plus sign would be.
std::wstring BlankSigned(int value) {
  return (value < 0 ? L"" : L" ") + platform::DecimalText(value);
}

}  // namespace

std::wstring UnsupportedVersionMessage(std::int32_t major, std::int32_t minor) {
  return L"Windows Sockets version " + platform::DecimalText(major) + L"." + platform::DecimalText(minor) +
         L" is not supported by winsock.dll ";
}

std::wstring TooFewSocketsMessage() {
  return std::wstring(L"This application requires a minimum of ") + L"1" + L" supported sockets.";
}

std::wstring CleanupFailedMessage(int code) {
  return L"Socket error " + platform::DecimalText(code) + L" occurred in Cleanup ";
}

std::wstring HostNameFailedMessage(int code) {
  return L"Windows Sockets error " + BlankSigned(code);
}

bool SocketsInitialize(platform::Sockets& sockets, platform::MessageBoxOps& messages) {
  platform::WinsockInfo info;
  if (sockets.Startup(kRequestedVersion, &info) != 0) {
    messages.Show(kNotRespondingMessage, kErrorTitle, MessageIcon::Error);
    return false;
  }
  const auto version = static_cast<std::int16_t>(info.version);
  const std::int32_t major = lobyte(version);
  const std::int32_t minor = hibyte(version);
  if (major < 1 || (major == 1 && minor < 1)) {
    messages.Show(UnsupportedVersionMessage(major, minor), kAppTitle, MessageIcon::None);
    return false;
  }
  if (info.maxSockets < 1) {
    messages.Show(TooFewSocketsMessage(), kAppTitle, MessageIcon::None);
    return false;
  }
  return true;
}

bool SocketsCleanup(platform::Sockets& sockets, platform::MessageBoxOps& messages) {
  const int rc = sockets.Cleanup();
  if (rc == 0) return true;
  messages.Show(CleanupFailedMessage(rc), kAppTitle, MessageIcon::None);
  return false;
}

HostLookup LookUpHost(platform::Sockets& sockets) {
  HostLookup lookup;
  std::array<char, kHostNameBufferSize> buffer{};
  if (sockets.GetHostName(buffer.data(), kHostNameBufferSize) == platform::kSocketError) {
    lookup.failureMessage = HostNameFailedMessage(sockets.LastError());
    return lookup;
  }
  std::string name(buffer.begin(), std::find(buffer.begin(), buffer.end(), '\0'));
  const auto first = name.find_first_not_of(' ');
  name = first == std::string::npos ? std::string() : name.substr(first, name.find_last_not_of(' ') - first + 1);

  platform::HostEntry entry;
  if (!sockets.GetHostByName(name, &entry)) {
    lookup.failureMessage = kNotRespondingMessage;
    return lookup;
  }
  lookup.succeeded = true;
  lookup.hostName = platform::WidenAnsi(name);
  for (const auto& address : entry.addresses) lookup.addresses.push_back(FormatAddress(address));
  return lookup;
}

void ShowHostInfo(const HostLookup& lookup, platform::WindowOps& window) {
  if (!lookup.succeeded) return;
  window.SetText(IDC_Text1, lookup.hostName);
  for (const auto& address : lookup.addresses) window.ListAppend(IDC_List1, address);
}

bool LoadHostInfo(platform::Sockets& sockets, platform::MessageBoxOps& messages,
                  platform::WindowOps& window) {
  const HostLookup lookup = LookUpHost(sockets);
  if (!lookup.succeeded) {
    messages.Show(lookup.failureMessage, kAppTitle, MessageIcon::None);
    return false;
  }
  ShowHostInfo(lookup, window);
  return true;
}

}  // namespace lookup
