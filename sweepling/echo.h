#pragma once
// The ICMP echo facility, shaped as the echo service the probe was written
// for: a handle per request, a request with its options and a reply record
// that the caller owns. Plain C++ over the kernel's sockets.
#include <cstdint>
#include <map>

namespace sweepling::echo {

#pragma pack(push, 1)
struct IpOptionInformation {
    std::uint8_t Ttl;
    std::uint8_t Tos;
    std::uint8_t Flags;
    std::uint8_t OptionsSize;
    std::uint32_t OptionsData;  // no options are ever sent
};

struct IcmpEchoReply {
    std::uint32_t Address;        // network byte order
    std::uint32_t Status;         // IP_SUCCESS when an echo reply came back
    std::int32_t RoundTripTime;   // milliseconds
    std::uint16_t DataSize;
    std::uint16_t Reserved;
    std::uint32_t Data;           // offset of the echoed data in this record
    IpOptionInformation Options;  // of the reply
    std::uint8_t Room[250];
};
#pragma pack(pop)
static_assert(sizeof(IpOptionInformation) == 8);
static_assert(sizeof(IcmpEchoReply) == 278);

// Reply statuses, with the numbers callers have always seen.
inline constexpr std::uint32_t IP_SUCCESS = 0;
inline constexpr std::uint32_t IP_DEST_NET_UNREACHABLE = 11002;
inline constexpr std::uint32_t IP_DEST_HOST_UNREACHABLE = 11003;
inline constexpr std::uint32_t IP_REQ_TIMED_OUT = 11010;
inline constexpr std::uint32_t IP_BAD_DESTINATION = 11018;
inline constexpr std::uint32_t IP_GENERAL_FAILURE = 11050;

using EchoHandle = int;

class EchoService {
public:
    virtual ~EchoService() = default;

    // A handle for one echo request. Throws ads::Error when the system
    // allows this program no ICMP socket.
    virtual EchoHandle IcmpCreateFile() = 0;
    // Sends one echo request and returns at once; the outcome lands in reply
    // once IcmpReplies says so. No reply within timeoutMs is IP_REQ_TIMED_OUT.
    virtual void IcmpSendEcho2(EchoHandle handle, std::uint32_t destination, const void* data, std::uint16_t size,
                               const IpOptionInformation& options, IcmpEchoReply& reply, std::uint32_t timeoutMs) = 0;
    // Waits at most waitMs for outcomes of the requests in flight and writes
    // every outcome that came into its record.
    virtual void IcmpPoll(int waitMs) = 0;
    // -1 while the request of handle awaits its outcome, else the number of
    // replies in its record (0 or 1).
    virtual int IcmpReplies(EchoHandle handle) const = 0;
    virtual void IcmpCloseHandle(EchoHandle handle) = 0;
};

// The blocking request: sends, waits for the outcome and returns the number
// of replies received.
std::uint32_t IcmpSendEcho(EchoService& service, EchoHandle handle, std::uint32_t destination, const void* data,
                           std::uint16_t size, const IpOptionInformation& options, IcmpEchoReply& reply,
                           std::uint32_t timeoutMs);

// One socket per handle: an ICMP datagram ("ping") socket where
// net.ipv4.ping_group_range allows it, else a raw ICMP socket.
class SocketEcho final : public EchoService {
public:
    SocketEcho() = default;
    ~SocketEcho() override;
    SocketEcho(const SocketEcho&) = delete;
    SocketEcho& operator=(const SocketEcho&) = delete;

    EchoHandle IcmpCreateFile() override;
    void IcmpSendEcho2(EchoHandle handle, std::uint32_t destination, const void* data, std::uint16_t size,
                       const IpOptionInformation& options, IcmpEchoReply& reply, std::uint32_t timeoutMs) override;
    void IcmpPoll(int waitMs) override;
    int IcmpReplies(EchoHandle handle) const override;
    void IcmpCloseHandle(EchoHandle handle) override;

private:
    struct Request {
        bool raw = false;
        bool sent = false;
        int replies = -1;
        IcmpEchoReply* reply = nullptr;
        std::uint32_t destination = 0;
        std::uint16_t id = 0;
        std::uint16_t sequence = 0;
        std::int64_t sentNs = 0;
        std::int64_t deadlineNs = 0;
    };
    void drain(int fd, Request& request);
    static void finish(Request& request, std::uint32_t status);

    std::map<EchoHandle, Request> requests_;
    std::uint16_t nextId_ = 0;
};

// The echo service of this process.
EchoService& SystemEcho();

} // namespace sweepling::echo
