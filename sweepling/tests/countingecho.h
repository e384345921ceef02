#pragma once
// The real echo service, counting the handles it opens and closes and
// recording where each request went.
#include "sweepling/echo.h"

#include <arpa/inet.h>

#include <set>
#include <string>
#include <vector>

namespace testsupport {

class CountingEcho : public sweepling::echo::EchoService {
public:
    sweepling::echo::EchoHandle IcmpCreateFile() override
    {
        ++created;
        const sweepling::echo::EchoHandle h = real.IcmpCreateFile();
        open.insert(h);
        return h;
    }
    void IcmpSendEcho2(sweepling::echo::EchoHandle h, std::uint32_t destination, const void* data, std::uint16_t size,
                       const sweepling::echo::IpOptionInformation& options, sweepling::echo::IcmpEchoReply& reply,
                       std::uint32_t timeoutMs) override
    {
        char text[INET_ADDRSTRLEN];
        inet_ntop(AF_INET, &destination, text, sizeof text);
        sentTo.emplace_back(text);
        real.IcmpSendEcho2(h, destination, data, size, options, reply, timeoutMs);
    }
    void IcmpPoll(int waitMs) override { real.IcmpPoll(waitMs); }
    int IcmpReplies(sweepling::echo::EchoHandle h) const override { return real.IcmpReplies(h); }
    void IcmpCloseHandle(sweepling::echo::EchoHandle h) override
    {
        ++closed;
        open.erase(h);
        real.IcmpCloseHandle(h);
    }

    sweepling::echo::SocketEcho real;
    int created = 0;
    int closed = 0;
    std::set<sweepling::echo::EchoHandle> open;
    std::vector<std::string> sentTo;  // in the order sent
};

} // namespace testsupport
