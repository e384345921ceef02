#pragma once
// Real TCP sockets on loopback for the tests: listeners, connected pairs and
// connections left in the closing states.
#include <cstdint>
#include <string>
#include <vector>

namespace testsockets {

class Fd {
public:
    explicit Fd(int fd = -1) : fd_(fd) {}
    ~Fd();
    Fd(Fd&& o) noexcept : fd_(o.fd_) { o.fd_ = -1; }
    Fd& operator=(Fd&& o) noexcept;
    int get() const { return fd_; }
    // Closes with a reset, so that no TIME_WAIT row outlives the test.
    void reset();
    // Closes with a FIN, as a program ending a connection does.
    void closeGracefully();

private:
    int fd_;
};

struct Listener {
    Fd fd;
    std::uint16_t port = 0;
};

// An IPv4 listener on 127.0.0.1, or a dual-stack one on [::] when dualStack.
Listener listen(bool dualStack = false, int backlog = 1024);

struct Pair {
    Fd client;
    Fd server;
    std::uint16_t clientPort = 0;
};

// A connection from 127.0.0.1 to the listener, accepted.
Pair connect(const Listener& l);

} // namespace testsockets
