#include "echo.h"

#include "directory/error.h"

#include <arpa/inet.h>
#include <linux/icmp.h>
#include <netinet/in.h>
#include <netinet/ip.h>
#include <poll.h>
#include <sys/socket.h>
#include <time.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <string>
#include <vector>

namespace sweepling::echo {
namespace {

std::int64_t nowNs()
{
    timespec ts{};
    // The clock of the kernel's receive stamps (SO_TIMESTAMPNS).
    clock_gettime(CLOCK_REALTIME, &ts);
    return std::int64_t(ts.tv_sec) * 1'000'000'000 + ts.tv_nsec;
}

std::uint16_t checksum(const std::uint8_t* data, std::size_t size)
{
    std::uint32_t sum = 0;
    for (std::size_t i = 0; i + 1 < size; i += 2)
        sum += std::uint32_t(data[i]) << 8 | data[i + 1];
    if (size % 2)
        sum += std::uint32_t(data[size - 1]) << 8;
    while (sum >> 16)
        sum = (sum & 0xFFFF) + (sum >> 16);
    return static_cast<std::uint16_t>(~sum);
}

std::uint32_t statusOfSendError(int error)
{
    switch (error) {
    case ENETUNREACH:
        return IP_DEST_NET_UNREACHABLE;
    case EHOSTUNREACH:
        return IP_DEST_HOST_UNREACHABLE;
    case EACCES:  // a broadcast address
    case EINVAL:
        return IP_BAD_DESTINATION;
    default:
        return IP_GENERAL_FAILURE;
    }
}

[[noreturn]] void throwNoSocket(int error)
{
    const std::uint32_t code = (error == EMFILE || error == ENFILE) ? 4 : 5;  // too many open files : access denied
    throw ads::Error(ads::hresultFromWin32(code),
                     "No ICMP socket could be opened (" + std::string(std::strerror(error))
                         + "): this user may use neither ping sockets (net.ipv4.ping_group_range) nor raw ones (CAP_NET_RAW).");
}

int openSocket(bool raw)
{
    return socket(AF_INET, (raw ? SOCK_RAW : SOCK_DGRAM) | SOCK_NONBLOCK | SOCK_CLOEXEC, IPPROTO_ICMP);
}

} // namespace

std::uint32_t IcmpSendEcho(EchoService& service, EchoHandle handle, std::uint32_t destination, const void* data,
                           std::uint16_t size, const IpOptionInformation& options, IcmpEchoReply& reply,
                           std::uint32_t timeoutMs)
{
    service.IcmpSendEcho2(handle, destination, data, size, options, reply, timeoutMs);
    while (service.IcmpReplies(handle) < 0)
        service.IcmpPoll(int(timeoutMs) + 100);
    return static_cast<std::uint32_t>(service.IcmpReplies(handle));
}

SocketEcho::~SocketEcho()
{
    for (const auto& [fd, request] : requests_)
        close(fd);
}

EchoHandle SocketEcho::IcmpCreateFile()
{
    int fd = openSocket(false);
    bool raw = false;
    if (fd < 0 && (errno == EACCES || errno == EPERM || errno == EPROTONOSUPPORT)) {
        fd = openSocket(true);
        raw = true;
    }
    if (fd < 0)
        throwNoSocket(errno);

    const int on = 1;
    setsockopt(fd, SOL_SOCKET, SO_TIMESTAMPNS, &on, sizeof on);
    if (raw) {
        // A raw socket sees every ICMP message of the host: let only echo replies in.
        icmp_filter filter{~(1u << ICMP_ECHOREPLY)};
        setsockopt(fd, SOL_RAW, ICMP_FILTER, &filter, sizeof filter);
    } else {
        setsockopt(fd, IPPROTO_IP, IP_RECVTTL, &on, sizeof on);
    }
    Request request;
    request.raw = raw;
    requests_[fd] = request;
    return fd;
}

void SocketEcho::finish(Request& request, std::uint32_t status)
{
    request.reply->Status = status;
    request.replies = 0;
}

void SocketEcho::IcmpSendEcho2(EchoHandle handle, std::uint32_t destination, const void* data, std::uint16_t size,
                               const IpOptionInformation& options, IcmpEchoReply& reply, std::uint32_t timeoutMs)
{
    auto it = requests_.find(handle);
    if (it == requests_.end() || it->second.sent)
        throw ads::Error(ads::hresultFromWin32(6), "The handle is invalid.");
    Request& r = it->second;
    std::memset(&reply, 0, sizeof reply);
    r.sent = true;
    r.reply = &reply;
    r.destination = destination;
    r.id = static_cast<std::uint16_t>(getpid() + nextId_);
    r.sequence = static_cast<std::uint16_t>(++nextId_);

    // Address 0 means this host to Linux, and no host at all to the caller.
    if (destination == 0)
        return finish(r, IP_BAD_DESTINATION);

    const int ttl = options.Ttl;
    setsockopt(handle, IPPROTO_IP, IP_TTL, &ttl, sizeof ttl);
    if (options.Tos) {
        const int tos = options.Tos;
        setsockopt(handle, IPPROTO_IP, IP_TOS, &tos, sizeof tos);
    }

    std::vector<std::uint8_t> packet(8 + size);
    packet[0] = ICMP_ECHO;
    packet[4] = std::uint8_t(r.id >> 8);
    packet[5] = std::uint8_t(r.id);
    packet[6] = std::uint8_t(r.sequence >> 8);
    packet[7] = std::uint8_t(r.sequence);
    if (size)
        std::memcpy(packet.data() + 8, data, size);
    const std::uint16_t sum = checksum(packet.data(), packet.size());
    packet[2] = std::uint8_t(sum >> 8);
    packet[3] = std::uint8_t(sum);

    sockaddr_in to{};
    to.sin_family = AF_INET;
    to.sin_addr.s_addr = destination;
    r.sentNs = nowNs();
    r.deadlineNs = r.sentNs + std::int64_t(timeoutMs) * 1'000'000;
    if (sendto(handle, packet.data(), packet.size(), 0, reinterpret_cast<const sockaddr*>(&to), sizeof to) < 0)
        finish(r, statusOfSendError(errno));
}

void SocketEcho::drain(int fd, Request& r)
{
    while (r.replies < 0) {
        std::uint8_t buffer[1500];
        alignas(cmsghdr) char control[256];
        sockaddr_in from{};
        iovec iov{buffer, sizeof buffer};
        msghdr msg{};
        msg.msg_name = &from;
        msg.msg_namelen = sizeof from;
        msg.msg_iov = &iov;
        msg.msg_iovlen = 1;
        msg.msg_control = control;
        msg.msg_controllen = sizeof control;
        const ssize_t n = recvmsg(fd, &msg, MSG_DONTWAIT);
        if (n < 0) {
            if (errno == EAGAIN || errno == EWOULDBLOCK || errno == EINTR)
                return;
            // A ping socket reports an ICMP error as a socket error.
            finish(r, errno == EHOSTUNREACH ? IP_DEST_HOST_UNREACHABLE
                      : errno == ENETUNREACH ? IP_DEST_NET_UNREACHABLE
                                             : IP_GENERAL_FAILURE);
            return;
        }

        std::int64_t stamp = 0;
        int ttl = 0;
        int tos = 0;
        for (cmsghdr* c = CMSG_FIRSTHDR(&msg); c; c = CMSG_NXTHDR(&msg, c)) {
            if (c->cmsg_level == SOL_SOCKET && c->cmsg_type == SCM_TIMESTAMPNS) {
                timespec ts;
                std::memcpy(&ts, CMSG_DATA(c), sizeof ts);
                stamp = std::int64_t(ts.tv_sec) * 1'000'000'000 + ts.tv_nsec;
            } else if (c->cmsg_level == IPPROTO_IP && c->cmsg_type == IP_TTL) {
                std::memcpy(&ttl, CMSG_DATA(c), sizeof ttl);
            }
        }
        if (stamp == 0)
            stamp = nowNs();

        const std::uint8_t* icmp = buffer;
        std::size_t length = std::size_t(n);
        if (r.raw) {
            if (length < 20)
                continue;
            const std::size_t header = std::size_t(buffer[0] & 0x0F) * 4;
            if (header < 20 || length < header)
                continue;
            tos = buffer[1];
            ttl = buffer[8];
            icmp += header;
            length -= header;
        }
        if (length < 8 || icmp[0] != ICMP_ECHOREPLY)
            continue;
        const std::uint16_t id = std::uint16_t(icmp[4] << 8 | icmp[5]);
        const std::uint16_t sequence = std::uint16_t(icmp[6] << 8 | icmp[7]);
        // A ping socket gets only replies to its own identifier, which the kernel chose.
        if (sequence != r.sequence || (r.raw && (id != r.id || from.sin_addr.s_addr != r.destination)))
            continue;
        if (stamp > r.deadlineNs)
            continue;  // came after the wait was over

        IcmpEchoReply& reply = *r.reply;
        reply.Address = from.sin_addr.s_addr;
        reply.Status = IP_SUCCESS;
        reply.RoundTripTime = static_cast<std::int32_t>(std::max<std::int64_t>(0, (stamp - r.sentNs) / 1'000'000));
        const std::size_t echoed = std::min<std::size_t>(length - 8, sizeof reply.Room);
        reply.DataSize = static_cast<std::uint16_t>(echoed);
        reply.Data = offsetof(IcmpEchoReply, Room);
        reply.Options.Ttl = static_cast<std::uint8_t>(ttl);
        reply.Options.Tos = static_cast<std::uint8_t>(tos);
        std::memcpy(reply.Room, icmp + 8, echoed);
        r.replies = 1;
    }
}

void SocketEcho::IcmpPoll(int waitMs)
{
    std::vector<pollfd> fds;
    std::int64_t earliest = INT64_MAX;
    for (const auto& [fd, r] : requests_) {
        if (r.sent && r.replies < 0) {
            fds.push_back(pollfd{fd, POLLIN, 0});
            earliest = std::min(earliest, r.deadlineNs);
        }
    }
    if (fds.empty())
        return;

    const std::int64_t untilDeadline = (earliest - nowNs() + 999'999) / 1'000'000;
    const int timeout = int(std::clamp<std::int64_t>(untilDeadline, 0, std::max(waitMs, 0)));
    if (poll(fds.data(), fds.size(), timeout) > 0) {
        for (const pollfd& p : fds)
            if (p.revents)
                drain(p.fd, requests_.at(p.fd));
    }

    const std::int64_t now = nowNs();
    for (auto& [fd, r] : requests_) {
        if (r.sent && r.replies < 0 && now >= r.deadlineNs) {
            drain(fd, r);  // a reply may have come since the poll
            if (r.replies < 0)
                finish(r, IP_REQ_TIMED_OUT);
        }
    }
}

int SocketEcho::IcmpReplies(EchoHandle handle) const
{
    auto it = requests_.find(handle);
    return it == requests_.end() ? 0 : it->second.replies;
}

void SocketEcho::IcmpCloseHandle(EchoHandle handle)
{
    if (requests_.erase(handle))
        close(handle);
}

EchoService& SystemEcho()
{
    static SocketEcho service;
    return service;
}

} // namespace sweepling::echo
