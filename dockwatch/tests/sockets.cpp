#include "sockets.h"

#include <gtest/gtest.h>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

namespace testsockets {

Fd::~Fd() { reset(); }

Fd& Fd::operator=(Fd&& o) noexcept
{
    if (this != &o) {
        reset();
        fd_ = o.fd_;
        o.fd_ = -1;
    }
    return *this;
}

void Fd::reset()
{
    if (fd_ >= 0) {
        const linger abort{1, 0};
        ::setsockopt(fd_, SOL_SOCKET, SO_LINGER, &abort, sizeof(abort));
        ::close(fd_);
    }
    fd_ = -1;
}

void Fd::closeGracefully()
{
    if (fd_ >= 0)
        ::close(fd_);
    fd_ = -1;
}

Listener listen(bool dualStack, int backlog)
{
    Listener l;
    const int one = 1;
    if (dualStack) {
        l.fd = Fd(::socket(AF_INET6, SOCK_STREAM | SOCK_CLOEXEC, 0));
        const int zero = 0;
        ::setsockopt(l.fd.get(), IPPROTO_IPV6, IPV6_V6ONLY, &zero, sizeof(zero));
        ::setsockopt(l.fd.get(), SOL_SOCKET, SO_REUSEADDR, &one, sizeof(one));
        sockaddr_in6 a{};
        a.sin6_family = AF_INET6;
        a.sin6_addr = in6addr_any;
        EXPECT_EQ(::bind(l.fd.get(), reinterpret_cast<sockaddr*>(&a), sizeof(a)), 0);
        socklen_t len = sizeof(a);
        ::getsockname(l.fd.get(), reinterpret_cast<sockaddr*>(&a), &len);
        l.port = ntohs(a.sin6_port);
    } else {
        l.fd = Fd(::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0));
        ::setsockopt(l.fd.get(), SOL_SOCKET, SO_REUSEADDR, &one, sizeof(one));
        sockaddr_in a{};
        a.sin_family = AF_INET;
        a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        EXPECT_EQ(::bind(l.fd.get(), reinterpret_cast<sockaddr*>(&a), sizeof(a)), 0);
        socklen_t len = sizeof(a);
        ::getsockname(l.fd.get(), reinterpret_cast<sockaddr*>(&a), &len);
        l.port = ntohs(a.sin_port);
    }
    EXPECT_EQ(::listen(l.fd.get(), backlog), 0);
    return l;
}

Pair connect(const Listener& l)
{
    Pair p;
    p.client = Fd(::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0));
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    a.sin_port = htons(l.port);
    EXPECT_EQ(::connect(p.client.get(), reinterpret_cast<sockaddr*>(&a), sizeof(a)), 0);
    socklen_t len = sizeof(a);
    ::getsockname(p.client.get(), reinterpret_cast<sockaddr*>(&a), &len);
    p.clientPort = ntohs(a.sin_port);
    p.server = Fd(::accept4(l.fd.get(), nullptr, nullptr, SOCK_CLOEXEC));
    EXPECT_GE(p.server.get(), 0);
    return p;
}

} // namespace testsockets
