#pragma once
// Reverse name lookup of an IPv4 address through the system's resolver
// (/etc/hosts, DNS, ... as nsswitch.conf says).
#include <cstdint>
#include <optional>
#include <string>

namespace dockwatch {

inline constexpr std::uint32_t InaddrNone = 0xFFFFFFFFu;

// The address in network byte order, or InaddrNone for a text that is not an
// IPv4 address (and for 255.255.255.255, which reads the same).
std::uint32_t InetAddr(const std::string& text);

// The official host name the resolver holds for the address, or nothing when
// it holds none.
std::optional<std::string> GetHostByAddr(std::uint32_t networkOrderAddress);

} // namespace dockwatch
