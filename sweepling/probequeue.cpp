#include "probequeue.h"

namespace sweepling {

ProbeQueue::ProbeQueue(echo::EchoService& service, std::uint32_t waitMs, std::size_t maxInFlight)
    : service_(service), waitMs_(waitMs), maxInFlight_(maxInFlight ? maxInFlight : 1)
{
}

ProbeQueue::~ProbeQueue()
{
    for (const auto& probe : probes_)
        service_.IcmpCloseHandle(probe->handle);
}

void ProbeQueue::send(const std::string& address, std::int16_t& ttl)
{
    const auto destination = static_cast<std::uint32_t>(proc::IpToLong(address));
    const echo::IpOptionInformation options = proc::EchoOptions(ttl);
    auto probe = std::make_unique<Probe>();
    probe->address = address;
    probe->handle = service_.IcmpCreateFile();
    try {
        service_.IcmpSendEcho2(probe->handle, destination, proc::EchoData, proc::EchoDataSize, options, probe->reply,
                               waitMs_);
    } catch (...) {
        service_.IcmpCloseHandle(probe->handle);
        throw;
    }
    probes_.push_back(std::move(probe));
}

void ProbeQueue::pop()
{
    service_.IcmpCloseHandle(probes_.front()->handle);
    probes_.pop_front();
}

Probe* ProbeQueue::answeredAwaitingMac()
{
    for (const auto& probe : probes_) {
        if (!probe->macLooked && service_.IcmpReplies(probe->handle) >= 0 && probe->reply.Status == echo::IP_SUCCESS)
            return probe.get();
    }
    return nullptr;
}

} // namespace sweepling
