#include "arplisting.h"

#include <ifaddrs.h>
#include <net/if.h>
#include <netinet/in.h>
#include <arpa/inet.h>

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <vector>

namespace sweepling::arp {
namespace {

const std::string_view Crlf = "\r\n";

// A line as a sequential file gives it: ended by CR LF, LF or CR.
bool readLine(std::istream& in, std::string& line)
{
    line.clear();
    if (in.peek() == std::char_traits<char>::eof())
        return false;
    for (int c; (c = in.get()) != std::char_traits<char>::eof();) {
        if (c == '\n')
            break;
        if (c == '\r') {
            if (in.peek() == '\n')
                in.get();
            break;
        }
        line.push_back(char(c));
    }
    return true;
}

// Characters from a 1-based position, as many as there are up to count.
std::string mid(const std::string& s, std::size_t start, std::size_t count)
{
    return start - 1 < s.size() ? s.substr(start - 1, count) : std::string();
}

std::string padded(std::string s, std::size_t width)
{
    if (s.size() < width)
        s.append(width - s.size(), ' ');
    return s;
}

bool isMac(std::string_view s)
{
    if (s.size() != 17)
        return false;
    for (std::size_t i = 0; i < s.size(); ++i) {
        if (i % 3 == 2 ? s[i] != ':' : !std::isxdigit(static_cast<unsigned char>(s[i])))
            return false;
    }
    return true;
}

struct Entry {
    std::string address;
    std::string physical;
    std::string type;
};

struct Section {
    std::string interfaceName;
    std::vector<Entry> entries;
};

} // namespace

Interface SystemInterface(const std::string& name)
{
    Interface result;
    result.index = if_nametoindex(name.c_str());
    ifaddrs* list = nullptr;
    if (getifaddrs(&list) == 0) {
        for (ifaddrs* a = list; a; a = a->ifa_next) {
            if (a->ifa_addr && a->ifa_addr->sa_family == AF_INET && name == a->ifa_name) {
                char text[INET_ADDRSTRLEN];
                inet_ntop(AF_INET, &reinterpret_cast<sockaddr_in*>(a->ifa_addr)->sin_addr, text, sizeof text);
                result.address = text;
                break;
            }
        }
        freeifaddrs(list);
    }
    return result;
}

bool NeedsConversion(std::string_view listing)
{
    std::size_t pos = 0;
    while (pos < listing.size()) {
        std::size_t end = listing.find_first_of("\r\n", pos);
        if (end == std::string_view::npos)
            end = listing.size();
        const std::string_view line = listing.substr(pos, end - pos);
        if (line.find_first_not_of(" \t") != std::string_view::npos)
            return !(line.starts_with("Interface:") || line == "No ARP Entries Found.");
        pos = end + 1;
    }
    return true;
}

std::string ConvertNetTools(std::string_view output, const InterfaceLookup& lookup)
{
    // Lines look like "? (10.0.0.2) at 02:00:00:00:00:02 [ether] PERM on eth0"
    // or "? (10.0.0.9) at <incomplete> on eth0"; anything else is a message.
    std::vector<Section> sections;
    std::size_t pos = 0;
    while (pos < output.size()) {
        std::size_t end = output.find('\n', pos);
        if (end == std::string_view::npos)
            end = output.size();
        std::string line(output.substr(pos, end - pos));
        pos = end + 1;
        if (!line.empty() && line.back() == '\r')
            line.pop_back();

        const std::size_t open = line.find(" (");
        const std::size_t close = line.find(") at ", open == std::string::npos ? 0 : open);
        const std::size_t on = line.rfind(" on ");
        if (open == std::string::npos || close == std::string::npos || on == std::string::npos || on < close)
            continue;
        Entry entry;
        entry.address = line.substr(open + 2, close - open - 2);
        const std::string rest = line.substr(close + 5, on - close - 5);
        const std::string hardware = rest.substr(0, rest.find(' '));
        if (isMac(hardware)) {
            entry.physical = hardware;
            std::replace(entry.physical.begin(), entry.physical.end(), ':', '-');
            std::transform(entry.physical.begin(), entry.physical.end(), entry.physical.begin(),
                           [](unsigned char c) { return char(std::tolower(c)); });
            entry.type = rest.find(" PERM") != std::string::npos ? "static" : "dynamic";
        } else {
            entry.physical = "00-00-00-00-00-00";
            entry.type = "invalid";
        }
        const std::string name = line.substr(on + 4);
        auto section = std::find_if(sections.begin(), sections.end(),
                                    [&](const Section& s) { return s.interfaceName == name; });
        if (section == sections.end())
            section = sections.insert(sections.end(), Section{name, {}});
        section->entries.push_back(std::move(entry));
    }

    if (sections.empty())
        return "No ARP Entries Found." + std::string(Crlf);
    std::string listing;
    for (const Section& section : sections) {
        const Interface interface = lookup(section.interfaceName);
        char index[16];
        std::snprintf(index, sizeof index, "0x%x", interface.index);
        listing += Crlf;
        listing += "Interface: " + interface.address + " --- " + index + std::string(Crlf);
        listing += "  Internet Address      Physical Address      Type" + std::string(Crlf);
        for (const Entry& e : section.entries)
            listing += "  " + padded(e.address, 22) + padded(e.physical, 22) + e.type + std::string(Crlf);
    }
    return listing;
}

std::string FindMac(std::istream& listing, const std::string& address)
{
    std::string line;
    for (int heading = 0; heading < 3; ++heading) {
        if (!readLine(listing, line))
            return {};
    }
    while (readLine(listing, line)) {
        std::string key = mid(line, 3, 15);
        key.erase(std::remove(key.begin(), key.end(), ' '), key.end());
        if (key == address)
            return mid(line, 25, 17);
    }
    return {};
}

} // namespace sweepling::arp
