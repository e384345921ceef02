#pragma once
// The ARP table listing that the MAC lookup reads: three heading lines per
// interface section, then one line per entry, the internet address at
// positions 3 to 17 and the physical address at 25 to 41 (counted from 1).
// Linux's "arp -a" (net-tools) prints another layout; ConvertNetTools turns
// its output into this one.
#include <functional>
#include <istream>
#include <string>
#include <string_view>

namespace sweepling::arp {

struct Interface {
    std::string address = "0.0.0.0";  // its first IPv4 address
    unsigned index = 0;
};
using InterfaceLookup = std::function<Interface(const std::string& name)>;

// The interface of this host with that name.
Interface SystemInterface(const std::string& name);

// False for a listing already in the layout above (or the line of an empty table).
bool NeedsConversion(std::string_view listing);

// The listing of net-tools' "arp -a" output, CR LF line ends; entries still
// being resolved show as 00-00-00-00-00-00 "invalid".
std::string ConvertNetTools(std::string_view output, const InterfaceLookup& lookup = SystemInterface);

// The physical address that the listing gives for the address, exactly as it
// stands there; "" when no line matches.
std::string FindMac(std::istream& listing, const std::string& address);

} // namespace sweepling::arp
