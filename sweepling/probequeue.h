#pragma once
// The echo probes of a sweep in flight at once, handed back in the order
// they were sent. Each probe is one request as PingHost makes it, on a handle
// of its own and with its own reply record; the kernel does the waiting.
#include "echo.h"
#include "proc.h"

#include <deque>
#include <exception>
#include <memory>
#include <string>

namespace sweepling {

struct Probe {
    std::string address;
    echo::IcmpEchoReply reply{};
    echo::EchoHandle handle = -1;
    // The physical address, looked up once the host has answered.
    bool macLooked = false;
    std::string mac;
    std::exception_ptr macError;
};

class ProbeQueue {
public:
    explicit ProbeQueue(echo::EchoService& service, std::uint32_t waitMs = proc::DefaultEchoWaitMs,
                        std::size_t maxInFlight = 256);
    ~ProbeQueue();
    ProbeQueue(const ProbeQueue&) = delete;
    ProbeQueue& operator=(const ProbeQueue&) = delete;

    bool full() const { return probes_.size() >= maxInFlight_; }
    bool empty() const { return probes_.empty(); }

    // Sends the request for the address; throws ads::Error as PingHost does.
    void send(const std::string& address, std::int16_t& ttl);
    // Waits at most ms for outcomes.
    void wait(int ms) { service_.IcmpPoll(ms); }

    // The oldest probe, and whether its outcome is in its record.
    Probe& head() { return *probes_.front(); }
    bool headDone() const { return service_.IcmpReplies(probes_.front()->handle) >= 0; }
    void pop();
    // The oldest probe whose host has answered and whose physical address
    // has not been looked up yet; nullptr when there is none.
    Probe* answeredAwaitingMac();

private:
    echo::EchoService& service_;
    std::uint32_t waitMs_;
    std::size_t maxInFlight_;
    std::deque<std::unique_ptr<Probe>> probes_;  // records stay put while the service writes them
};

} // namespace sweepling
