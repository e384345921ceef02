#pragma once
// Module Proc: the echo probe, the address conversion it needs and the
// physical address lookup through a fresh capture of the ARP table.
#include "echo.h"

#include <cstdint>
#include <functional>
#include <string>

namespace sweepling::proc {

// How long a probe awaits its reply.
inline constexpr std::uint32_t DefaultEchoWaitMs = 1000;

// The data every echo request carries.
inline constexpr char EchoData[] = "kikoo";
inline constexpr std::uint16_t EchoDataSize = 5;

// The dotted text as the 32-bit value whose bytes in memory order are its
// four parts in written order, each part's low 8 bits; 0 when the text has
// fewer than four parts. Throws ads::Error for a fifth part (9) and for an
// empty or non-numeric part (13).
std::int32_t IpToLong(const std::string& address);

// One echo request with the data "kikoo" and the time to live given, on a
// handle of its own; the outcome is left in reply. Returns the round-trip
// time when a reply came, else minus the reply's status. Throws ads::Error
// for a bad address text (see IpToLong), a time to live outside 0 to 255 (6)
// and when no echo request may be sent at all.
std::int32_t PingHost(const std::string& address, echo::IcmpEchoReply& reply, std::int16_t& ttl,
                      std::uint32_t waitMs = DefaultEchoWaitMs, echo::EchoService& service = echo::SystemEcho());

// The option block of a request with that time to live.
echo::IpOptionInformation EchoOptions(std::int16_t ttl);

// The physical address that a fresh capture of the ARP table lists for the
// address ("" when none): runs the capture script, which writes ./arp.txt,
// and reads that. Throws ads::Error (53) when the capture script is missing.
std::string GetMacAddress(const std::string& address, const std::function<void()>& whileWaiting = {});

// Where the capture script lives: the program's folder when this user may
// write it and no other user can, else the user's runtime folder, else a
// private folder in the user's cache. "" when none of them will do.
std::string CaptureScriptFolder(const std::string& programFolder, const std::string& runtimeFolder,
                                const std::string& homeFolder);
// The capture script "sendarp.bat" in that folder, for this program and user.
std::string CaptureScriptPath();

} // namespace sweepling::proc
