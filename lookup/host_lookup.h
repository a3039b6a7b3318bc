// Windows Sockets start and stop, and the lookup of the host name and its
// addresses into the main window's host field and address list.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "platform/message_box.h"
#include "platform/sockets.h"
#include "platform/window_ops.h"

namespace lookup {

inline constexpr std::uint16_t kRequestedVersion = 0x0101;  // Windows Sockets 1.1
inline constexpr int kHostNameBufferSize = 256;

// Bits 8 to 15 of a 16-bit value (the quotient by 256 truncated toward zero,
// then AND 255), and bits 0 to 7.
std::int32_t hibyte(std::int16_t value);
std::int32_t lobyte(std::int16_t value);

// Each byte in unsigned decimal, joined by "." (10.0.0.5).
std::wstring FormatAddress(const std::vector<std::uint8_t>& bytes);

// The sockets layer's messages. They are English in every language.
inline constexpr wchar_t kNotRespondingMessage[] = L"Winsock.dll is not responding.";
inline constexpr wchar_t kErrorTitle[] = L"Error";
std::wstring UnsupportedVersionMessage(std::int32_t major, std::int32_t minor);
std::wstring TooFewSocketsMessage();
std::wstring CleanupFailedMessage(int code);
std::wstring HostNameFailedMessage(int code);

// Start Windows Sockets 1.1 and check what it offers. False after a failure
// has been shown: the caller then ends the process at once.
[[nodiscard]] bool SocketsInitialize(platform::Sockets& sockets, platform::MessageBoxOps& messages);

// Stop Windows Sockets. False after a failure has been shown: the caller then
// ends the process at once.
[[nodiscard]] bool SocketsCleanup(platform::Sockets& sockets, platform::MessageBoxOps& messages);

// What one lookup found: the host name and its addresses as shown, or the
// message that says why there are none (shown with the application's title
// and no icon).
struct HostLookup {
  bool succeeded = false;
  std::wstring hostName;
  std::vector<std::wstring> addresses;  // in the name service's order
  std::wstring failureMessage;
};
HostLookup LookUpHost(platform::Sockets& sockets);

// Puts a successful lookup's host name into Text1 and appends one List1 entry
// per address; a failed one touches neither. The caller empties both first.
void ShowHostInfo(const HostLookup& lookup, platform::WindowOps& window);

// LookUpHost, then ShowHostInfo, or the failure's message. False after a failure.
bool LoadHostInfo(platform::Sockets& sockets, platform::MessageBoxOps& messages,
                  platform::WindowOps& window);

}  // namespace lookup
