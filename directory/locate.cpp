#include "locate.h"

#include "hostconfig.h"
#include "winerror.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstring>
#include <memory>

#include <arpa/nameser.h>
#include <fcntl.h>
#include <netdb.h>
#include <netinet/in.h>
#include <poll.h>
#include <resolv.h>
#include <sys/socket.h>
#include <unistd.h>

namespace ads {
namespace {

// A host name of letters, digits, "-", "_" and "." only, not starting with "-": any
// other text is no domain and never reaches the resolver as a query.
bool plausibleDnsName(const std::string& name)
{
    if (name.empty() || name.size() > 253 || name.front() == '-' || name.front() == '.')
        return false;
    return std::all_of(name.begin(), name.end(), [](char c) {
        return std::isalnum(static_cast<unsigned char>(c)) || c == '-' || c == '.' || c == '_';
    });
}

bool iequals(const std::string& a, const std::string& b)
{
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
           });
}

// The host of the first domain controller that DNS names for an AD domain.
std::string domainControllerOf(const std::string& domain)
{
    unsigned char answer[4096];
    const std::string query = "_ldap._tcp.dc._msdcs." + domain;
    const int len = res_query(query.c_str(), ns_c_in, ns_t_srv, answer, sizeof(answer));
    if (len <= 0)
        return {};
    ns_msg msg;
    if (ns_initparse(answer, len, &msg) < 0)
        return {};
    for (int i = 0; i < ns_msg_count(msg, ns_s_an); ++i) {
        ns_rr rr;
        if (ns_parserr(&msg, ns_s_an, i, &rr) < 0 || ns_rr_type(rr) != ns_t_srv)
            continue;
        char target[NS_MAXDNAME];
        // priority, weight and port come first: 6 bytes
        if (ns_name_uncompress(ns_msg_base(msg), ns_msg_end(msg), ns_rr_rdata(rr) + 6, target, sizeof(target)) < 0)
            continue;
        return target;
    }
    return {};
}

[[noreturn]] void notFound() { throw Win32Error(win32::BadNetPath); }

// The canonical name of a host that answers on the SMB port.
std::string probe(const std::string& host, std::chrono::milliseconds wait)
{
    addrinfo hints{};
    hints.ai_family = AF_INET;
    hints.ai_socktype = SOCK_STREAM;
    hints.ai_flags = AI_CANONNAME;
    addrinfo* found = nullptr;
    if (!plausibleDnsName(host) || getaddrinfo(host.c_str(), "445", &hints, &found) != 0 || !found)
        notFound();
    std::unique_ptr<addrinfo, decltype(&freeaddrinfo)> guard(found, freeaddrinfo);
    const std::string canonical = found->ai_canonname ? found->ai_canonname : host;
    for (addrinfo* a = found; a; a = a->ai_next) {
        const int fd = socket(a->ai_family, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
        if (fd < 0)
            continue;
        bool ok = false;
        if (connect(fd, a->ai_addr, a->ai_addrlen) == 0) {
            ok = true;
        } else if (errno == EINPROGRESS) {
            pollfd p{fd, POLLOUT, 0};
            if (poll(&p, 1, static_cast<int>(wait.count())) == 1) {
                int err = 0;
                socklen_t l = sizeof(err);
                getsockopt(fd, SOL_SOCKET, SO_ERROR, &err, &l);
                ok = err == 0;
            }
        }
        close(fd);
        if (ok)
            return canonical;
    }
    notFound();
}

} // namespace

Location LocateContainer(const std::string& name, std::chrono::milliseconds wait)
{
    if (!plausibleDnsName(name))
        notFound();
    // Our own domain by its NetBIOS name stands for its DNS name.
    std::string dnsDomain = name;
    try {
        const HostConfig config = ReadHostConfig();
        if (config.adsMember && !config.realm.empty() && iequals(name, config.workgroup))
            dnsDomain = config.realm;
    } catch (const Error&) {
    }
    const std::string dc = domainControllerOf(dnsDomain);
    if (!dc.empty())
        return {probe(dc, wait), true};
    return {probe(name, wait), false};
}

} // namespace ads
