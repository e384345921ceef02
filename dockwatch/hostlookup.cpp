#include "hostlookup.h"

#include <arpa/inet.h>
#include <netdb.h>
#include <netinet/in.h>
#include <sys/socket.h>

namespace dockwatch {

std::uint32_t InetAddr(const std::string& text)
{
    return ::inet_addr(text.c_str());
}

std::optional<std::string> GetHostByAddr(std::uint32_t networkOrderAddress)
{
    sockaddr_in sa{};
    sa.sin_family = AF_INET;
    sa.sin_addr.s_addr = networkOrderAddress;
    char host[NI_MAXHOST];
    if (::getnameinfo(reinterpret_cast<const sockaddr*>(&sa), sizeof(sa), host, sizeof(host), nullptr, 0, NI_NAMEREQD) != 0)
        return std::nullopt;
    return std::string(host);
}

} // namespace dockwatch
