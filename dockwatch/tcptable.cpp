#include "tcptable.h"

#include "directory/error.h"

#include <cerrno>
#include <cstring>
#include <string>

#include <linux/inet_diag.h>
#include <linux/netlink.h>
#include <linux/sock_diag.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <sys/socket.h>
#include <unistd.h>

namespace dockwatch {
namespace {

// The kernel hands out dump datagrams of at most 32 KiB; twice that never truncates.
constexpr std::size_t BufferSize = 64 * 1024;
// A dump that changed under us (NLM_F_DUMP_INTR) is read again, a few times at most.
constexpr int DumpAttempts = 3;

[[noreturn]] void fail(const char* what, int err)
{
    throw ads::Error(err, std::string("Reading the TCP connection table failed (") + what + "): " + std::strerror(err));
}

class Socket {
public:
    Socket() : fd_(::socket(AF_NETLINK, SOCK_DGRAM | SOCK_CLOEXEC, NETLINK_SOCK_DIAG))
    {
        if (fd_ < 0)
            fail("socket", errno);
    }
    ~Socket() { ::close(fd_); }
    Socket(const Socket&) = delete;
    Socket& operator=(const Socket&) = delete;
    int fd() const { return fd_; }

private:
    int fd_;
};

bool isV4Mapped(const __be32 a[4])
{
    const auto* b = reinterpret_cast<const std::uint8_t*>(a);
    static constexpr std::uint8_t prefix[12] = {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0xff, 0xff};
    return std::memcmp(b, prefix, 12) == 0;
}

bool isUnspecified(const __be32 a[4]) { return (a[0] | a[1] | a[2] | a[3]) == 0; }

netstat::Field addressField(const __be32 a[4], int family)
{
    netstat::Field f{};
    std::memcpy(f.data(), reinterpret_cast<const std::uint8_t*>(a) + (family == AF_INET6 ? 12 : 0), 4);
    return f;
}

netstat::Field portField(__be16 port)
{
    netstat::Field f{};
    std::memcpy(f.data(), &port, 2);  // network order: the high byte first
    return f;
}

// Appends the sockets of one family; false when the dump was interrupted.
bool dumpFamily(int fd, std::uint8_t family, std::uint32_t seq, std::vector<netstat::MibTcpRow>& rows,
                std::vector<char>& buffer)
{
    struct {
        nlmsghdr nlh;
        inet_diag_req_v2 req;
    } request{};
    request.nlh.nlmsg_len = sizeof(request);
    request.nlh.nlmsg_type = SOCK_DIAG_BY_FAMILY;
    request.nlh.nlmsg_flags = NLM_F_REQUEST | NLM_F_DUMP;
    request.nlh.nlmsg_seq = seq;
    request.req.sdiag_family = family;
    request.req.sdiag_protocol = IPPROTO_TCP;
    request.req.idiag_states = ~0u;  // every state, listeners and TIME_WAIT included
    request.req.idiag_ext = 0;       // no extensions: the table needs none

    sockaddr_nl kernel{};
    kernel.nl_family = AF_NETLINK;
    while (::sendto(fd, &request, sizeof(request), 0, reinterpret_cast<sockaddr*>(&kernel), sizeof(kernel)) < 0)
        if (errno != EINTR)
            fail("send", errno);

    bool interrupted = false;
    for (;;) {
        const ssize_t n = ::recv(fd, buffer.data(), buffer.size(), MSG_TRUNC);
        if (n < 0) {
            if (errno == EINTR || errno == EAGAIN)
                continue;
            fail("receive", errno);
        }
        if (static_cast<std::size_t>(n) > buffer.size())
            fail("receive", EMSGSIZE);
        int len = static_cast<int>(n);
        for (auto* h = reinterpret_cast<nlmsghdr*>(buffer.data()); NLMSG_OK(h, len); h = NLMSG_NEXT(h, len)) {
            if (h->nlmsg_seq != seq)
                continue;
            if (h->nlmsg_flags & NLM_F_DUMP_INTR)
                interrupted = true;
            if (h->nlmsg_type == NLMSG_DONE)
                return !interrupted;
            if (h->nlmsg_type == NLMSG_ERROR) {
                const auto* e = static_cast<const nlmsgerr*>(NLMSG_DATA(h));
                // A kernel without IPv6 has no such table: nothing to add.
                if (family == AF_INET6 && (e->error == -ENOENT || e->error == -EAFNOSUPPORT))
                    return true;
                fail("kernel", -e->error);
            }
            if (h->nlmsg_type != SOCK_DIAG_BY_FAMILY || h->nlmsg_len < NLMSG_LENGTH(sizeof(inet_diag_msg)))
                continue;
            const auto* m = static_cast<const inet_diag_msg*>(NLMSG_DATA(h));
            if (m->idiag_family == AF_INET6) {
                // An IPv4 connection held by a dual-stack socket (::ffff:a.b.c.d).
                if (!isV4Mapped(m->id.idiag_src) || !(isV4Mapped(m->id.idiag_dst) || isUnspecified(m->id.idiag_dst)))
                    continue;
            } else if (m->idiag_family != AF_INET) {
                continue;
            }
            netstat::MibTcpRow row;
            row.dwState = MibStateFromKernel(m->idiag_state);
            row.dwLocalAddr = addressField(m->id.idiag_src, m->idiag_family);
            row.dwLocalPort = portField(m->id.idiag_sport);
            row.dwRemoteAddr = addressField(m->id.idiag_dst, m->idiag_family);
            row.dwRemotePort = portField(m->id.idiag_dport);
            rows.push_back(row);
        }
    }
}

} // namespace

std::int32_t MibStateFromKernel(int kernelState)
{
    switch (kernelState) {
    case TCP_ESTABLISHED: return netstat::MIB_TCP_STATE_ESTAB;
    case TCP_SYN_SENT: return netstat::MIB_TCP_STATE_SYN_SENT;
    case TCP_SYN_RECV: return netstat::MIB_TCP_STATE_SYN_RCVD;
    case 12 /* TCP_NEW_SYN_RECV: a request socket */: return netstat::MIB_TCP_STATE_SYN_RCVD;
    case TCP_FIN_WAIT1: return netstat::MIB_TCP_STATE_FIN_WAIT1;
    case TCP_FIN_WAIT2: return netstat::MIB_TCP_STATE_FIN_WAIT2;
    case TCP_TIME_WAIT: return netstat::MIB_TCP_STATE_TIME_WAIT;
    case TCP_CLOSE: return netstat::MIB_TCP_STATE_CLOSED;
    case TCP_CLOSE_WAIT: return netstat::MIB_TCP_STATE_CLOSE_WAIT;
    case TCP_LAST_ACK: return netstat::MIB_TCP_STATE_LAST_ACK;
    case TCP_LISTEN: return netstat::MIB_TCP_STATE_LISTEN;
    case TCP_CLOSING: return netstat::MIB_TCP_STATE_CLOSING;
    default: return 0;
    }
}

std::vector<netstat::MibTcpRow> NetlinkTcpTable::GetTcpTable()
{
    Socket sock;
    std::vector<char> buffer(BufferSize);
    std::vector<netstat::MibTcpRow> rows;
    rows.reserve(lastCount_ + lastCount_ / 8);
    std::uint32_t seq = 0;
    for (int attempt = 1;; ++attempt) {
        rows.clear();
        const bool v4 = dumpFamily(sock.fd(), AF_INET, ++seq, rows, buffer);
        const bool v6 = dumpFamily(sock.fd(), AF_INET6, ++seq, rows, buffer);
        if ((v4 && v6) || attempt == DumpAttempts)
            break;
    }
    lastCount_ = rows.size();
    return rows;
}

} // namespace dockwatch
