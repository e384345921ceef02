#include "countingecho.h"

#include "sweepling/arplisting.h"
#include "sweepling/echo.h"
#include "sweepling/proc.h"

#include "directory/error.h"

#include <gtest/gtest.h>

#include <arpa/inet.h>
#include <netinet/ip.h>
#include <netinet/ip_icmp.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <unistd.h>

#include <array>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <optional>
#include <set>
#include <sstream>

namespace {

namespace fs = std::filesystem;
using namespace sweepling;
using testsupport::CountingEcho;

std::array<std::uint8_t, 4> bytesOf(std::int32_t value)
{
    std::array<std::uint8_t, 4> bytes{};
    std::memcpy(bytes.data(), &value, 4);
    return bytes;
}

std::optional<int> errorNumber(const std::string& address)
{
    try {
        proc::IpToLong(address);
    } catch (const ads::Error& e) {
        return e.number();
    }
    return std::nullopt;
}

TEST(OfflineIpToLong, TextsGiveTheirOctetsInMemoryOrderOrFail)
{
    struct Case {
        const char* text;
        std::array<std::uint8_t, 4> bytes;
    };
    for (const Case& c : std::initializer_list<Case>{
             {"192.168.1.2", {0xC0, 0xA8, 0x01, 0x02}},
             {"127.0.0.1", {0x7F, 0x00, 0x00, 0x01}},
             {"192.168.1.254", {0xC0, 0xA8, 0x01, 0xFE}},
             {"10.0.0.200", {0x0A, 0x00, 0x00, 0xC8}},
             {"10.0.0.300", {0x0A, 0x00, 0x00, 0x2C}},  // the low 8 bits, as .44
             {"10.0.0.256", {0x0A, 0x00, 0x00, 0x00}},
             {" 10 . 77 .0 . 2 ", {0x0A, 0x4D, 0x00, 0x02}},
             {"192.168.1", {0, 0, 0, 0}},  // two dots: address 0
             {"", {0, 0, 0, 0}},
         })
        EXPECT_EQ(bytesOf(proc::IpToLong(c.text)), c.bytes) << c.text;

    EXPECT_LT(proc::IpToLong("10.0.0.200"), 0);  // a signed 32-bit pattern
    for (const auto& [text, number] : std::initializer_list<std::pair<const char*, int>>{
             {"1.2.3.4.5", 9}, {"1.2.3.4.", 9}, {"192.168..1", 13}, {"192.168.x.1", 13}, {"192.168.1.2a", 13}})
        EXPECT_EQ(errorNumber(text), number) << text;
}

std::string listingLine(const std::string& address, const std::string& physical, const std::string& type = "dynamic")
{
    auto pad = [](std::string s) { return s.append(s.size() < 22 ? 22 - s.size() : 0, ' '); };
    return "  " + pad(address) + pad(physical) + type + "\r\n";
}

const std::string Heading = "\r\nInterface: 192.168.1.5 --- 0xb\r\n  Internet Address      Physical Address      Type\r\n";

TEST(OfflineListing, LookupComparesTheWholeKeyAndReturnsThePhysicalAddressAsWritten)
{
    const std::string first = Heading + listingLine("192.168.1.10", "00-13-10-aa-bb-10")
                              + listingLine("192.168.1.100", "00-13-10-aa-bb-64")
                              + listingLine("192.168.1.1", "00-13-10-aa-bb-cc")
                              + listingLine("192.168.100.200", "00-13-10-AA:BB:C8")
                              + listingLine("192.168.1.255", "ff-ff-ff-ff-ff-ff", "static");
    const std::string second = "\r\nInterface: 10.77.0.1 --- 0x2\r\n  Internet Address      Physical Address      Type\r\n"
                               + listingLine("10.77.0.2", "02-77-00-00-00-02");
    struct Case {
        const char* name;
        std::string listing;
        const char* address;
        const char* mac;
    };
    for (const Case& c : std::vector<Case>{
             {"padded entry", first, "192.168.1.1", "00-13-10-aa-bb-cc"},
             {".10 and .100 differ from .1", first, "192.168.1.10", "00-13-10-aa-bb-10"},
             {"no such entry", first, "192.168.1.2", ""},
             {"15-character address", first, "192.168.100.200", "00-13-10-AA:BB:C8"},
             {"not a real physical address", first, "192.168.1.255", "ff-ff-ff-ff-ff-ff"},
             {"second interface", first + second, "10.77.0.2", "02-77-00-00-00-02"},
             {"second interface's heading", first + second, "Interface:10.77.0.1---0x2", ""},
             {"heading only", Heading, "192.168.1.1", ""},
             {"empty table", "No ARP Entries Found.\r\n", "192.168.1.1", ""},
             {"empty file", "", "192.168.1.1", ""},
             {"short lines, LF ends", "\nI\nT\n  10.0.0.1\n  10.0.0.2              02-00", "10.0.0.2", "02-00"},
             {"no line end after the match", Heading + "  10.0.0.3              02-77-00-00-00-03", "10.0.0.3",
              "02-77-00-00-00-03"},
         }) {
        std::istringstream in(c.listing);
        EXPECT_EQ(arp::FindMac(in, c.address), c.mac) << c.name;
    }
}

TEST(OfflineListing, NetToolsOutputBecomesOneSectionPerInterface)
{
    const std::string netTools = "? (10.77.0.2) at 02:77:00:00:00:02 [ether] on eth0\n"
                                 "? (10.77.0.9) at <incomplete> on eth0\n"
                                 "gw.example (192.168.5.1) at 02:AB:CD:00:00:01 [ether] PERM on eth1\n"
                                 "? (10.77.0.100) at 02:77:00:00:00:64 [ether] on eth0\n"
                                 "arp: in 4 entries no match found.\n";
    const auto interfaces = [](const std::string& name) {
        return name == "eth0" ? arp::Interface{"10.77.0.1", 2} : arp::Interface{"192.168.5.7", 11};
    };
    EXPECT_EQ(arp::ConvertNetTools(netTools, interfaces),
              "\r\nInterface: 10.77.0.1 --- 0x2\r\n"
              "  Internet Address      Physical Address      Type\r\n"
              "  10.77.0.2             02-77-00-00-00-02     dynamic\r\n"
              "  10.77.0.9             00-00-00-00-00-00     invalid\r\n"
              "  10.77.0.100           02-77-00-00-00-64     dynamic\r\n"
              "\r\nInterface: 192.168.5.7 --- 0xb\r\n"
              "  Internet Address      Physical Address      Type\r\n"
              "  192.168.5.1           02-ab-cd-00-00-01     static\r\n");
    EXPECT_EQ(arp::ConvertNetTools(""), "No ARP Entries Found.\r\n");

    EXPECT_TRUE(arp::NeedsConversion(netTools));
    EXPECT_TRUE(arp::NeedsConversion(""));
    EXPECT_FALSE(arp::NeedsConversion(Heading));
    EXPECT_FALSE(arp::NeedsConversion("No ARP Entries Found.\r\n"));

    std::istringstream converted(arp::ConvertNetTools(netTools, interfaces));
    EXPECT_EQ(arp::FindMac(converted, "192.168.5.1"), "02-ab-cd-00-00-01");
}

class OfflineScriptFolder : public ::testing::Test {
protected:
    void SetUp() override
    {
        root_ = fs::temp_directory_path() / ("sweepling-folders-" + std::to_string(getpid()));
        fs::create_directories(root_);
    }
    void TearDown() override { fs::remove_all(root_); }
    std::string folder(const char* name, mode_t mode)
    {
        const fs::path p = root_ / name;
        fs::create_directory(p);
        chmod(p.c_str(), mode);
        return p.string();
    }
    fs::path root_;
};

TEST_F(OfflineScriptFolder, NeverAFolderThatOthersCanWrite)
{
    const std::string own = folder("own", 0755);
    const std::string shared = folder("shared", 0777);
    const std::string sticky = folder("sticky", 01777);
    const std::string groupWritable = folder("group", 0775);
    const std::string runtime = folder("runtime", 0700);
    const std::string home = folder("home", 0755);

    EXPECT_EQ(proc::CaptureScriptFolder(own, runtime, home), own);
    EXPECT_EQ(proc::CaptureScriptFolder(shared, runtime, home), runtime);
    EXPECT_EQ(proc::CaptureScriptFolder(groupWritable, runtime, home), runtime);
    EXPECT_EQ(proc::CaptureScriptFolder(shared, sticky, home), home + "/.cache/sweepling");
    EXPECT_EQ(fs::status(home + "/.cache/sweepling").permissions(), fs::perms::owner_all);
    EXPECT_EQ(proc::CaptureScriptFolder(shared, "", shared), "");
    EXPECT_EQ(proc::CaptureScriptFolder("/nonexistent", "", ""), "");
}

// --- In the scanner namespace of the sweep network ---

// Who may open ping sockets in this namespace: nobody ("1 0", so the probe
// falls back to a raw socket) or everybody. Restored when it goes.
class PingGroupRange {
public:
    explicit PingGroupRange(const char* range)
    {
        std::ifstream("/proc/sys/net/ipv4/ping_group_range") >> saved_[0] >> saved_[1];
        std::ofstream("/proc/sys/net/ipv4/ping_group_range") << range;
    }
    ~PingGroupRange() { std::ofstream("/proc/sys/net/ipv4/ping_group_range") << saved_[0] << ' ' << saved_[1]; }

private:
    std::string saved_[2];
};

bool pingSocketsAllowed()
{
    const int fd = socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, IPPROTO_ICMP);
    if (fd >= 0)
        close(fd);
    return fd >= 0;
}

const char* const SocketKinds[] = {"1 0", "0 2147483647"};  // raw, then ping sockets

std::size_t openDescriptors()
{
    return std::size_t(std::distance(fs::directory_iterator("/proc/self/fd"), fs::directory_iterator()));
}

// Each probe test runs over raw sockets and over ping sockets.
class PingHost : public ::testing::TestWithParam<const char*> {
protected:
    void SetUp() override
    {
        range_.emplace(GetParam());
        ASSERT_EQ(pingSocketsAllowed(), std::string(GetParam()) != "1 0");
    }
    void TearDown() override { range_.reset(); }

private:
    std::optional<PingGroupRange> range_;
};

INSTANTIATE_TEST_SUITE_P(Sockets, PingHost, ::testing::ValuesIn(SocketKinds),
                         [](const auto& info) { return std::string(info.index ? "Ping" : "Raw"); });

TEST_P(PingHost, AnsweringSilentAndSlowHostsEachOnOneHandleOfTheirOwn)
{
    struct Case {
        const char* address;
        bool answers;
        int minMs, maxMs;
    };
    const std::size_t descriptorsBefore = openDescriptors();
    for (const Case& c : std::initializer_list<Case>{
             {"10.77.0.2", true, 0, 100},
             {"10.77.0.20", true, 180, 400},  // the 200 ms host
             {"10.77.0.250", true, 0, 100},   // routed
             {"10.77.0.5", false, 0, 0},      // silent
             {"10.77.0.30", false, 0, 0},     // answers ARP only
             {"10.77.0", false, 0, 0},        // address 0
         }) {
        CountingEcho service;
        echo::IcmpEchoReply reply;
        std::memset(&reply, 0xAB, sizeof reply);
        std::int16_t ttl = 30;
        const std::int32_t result = proc::PingHost(c.address, reply, ttl, 1000, service);
        EXPECT_EQ(service.created, 1) << c.address;
        EXPECT_EQ(service.closed, 1) << c.address;
        EXPECT_TRUE(service.open.empty()) << c.address;
        if (c.answers) {
            EXPECT_EQ(reply.Status, echo::IP_SUCCESS) << c.address;
            EXPECT_EQ(result, reply.RoundTripTime) << c.address;
            EXPECT_GE(reply.RoundTripTime, c.minMs) << c.address;
            EXPECT_LE(reply.RoundTripTime, c.maxMs) << c.address;
            EXPECT_EQ(reply.DataSize, 5) << c.address;
            EXPECT_EQ(std::string(reinterpret_cast<const char*>(reply.Room), 5), "kikoo") << c.address;
        } else {
            EXPECT_NE(reply.Status, echo::IP_SUCCESS) << c.address;
            EXPECT_EQ(result, -static_cast<std::int32_t>(reply.Status)) << c.address;
        }
    }
    EXPECT_EQ(openDescriptors(), descriptorsBefore);

    echo::IcmpEchoReply reply{};
    std::int16_t ttl = 256;
    CountingEcho service;
    try {
        proc::PingHost("10.77.0.2", reply, ttl, 1000, service);
        ADD_FAILURE() << "a time to live of 256 was sent";
    } catch (const ads::Error& e) {
        EXPECT_EQ(e.number(), 6);
    }
    EXPECT_EQ(service.created, service.closed);
}

TEST_P(PingHost, TheRequestCarriesTtl30AndKikoo)
{
    // The request to this host itself arrives on the loopback interface, where
    // a raw socket sees it as it was sent.
    const int watch = socket(AF_INET, SOCK_RAW | SOCK_CLOEXEC, IPPROTO_ICMP);
    ASSERT_GE(watch, 0) << std::strerror(errno);
    echo::IcmpEchoReply reply{};
    std::int16_t ttl = 30;
    ASSERT_GE(proc::PingHost("127.0.0.1", reply, ttl), 0);

    bool seen = false;
    std::uint8_t packet[1500];
    pollfd p{watch, POLLIN, 0};
    while (!seen && poll(&p, 1, 500) > 0) {
        const ssize_t n = recv(watch, packet, sizeof packet, 0);
        ASSERT_GT(n, 20);
        const std::size_t header = std::size_t(packet[0] & 0x0F) * 4;
        const std::uint8_t* icmp = packet + header;
        if (icmp[0] != ICMP_ECHO)
            continue;
        seen = true;
        EXPECT_EQ(packet[8], 30);  // the IP header's time to live
        EXPECT_EQ(std::size_t(n) - header, 8u + 5u);
        EXPECT_EQ(std::string(reinterpret_cast<const char*>(icmp + 8), std::size_t(n) - header - 8), "kikoo");
    }
    close(watch);
    EXPECT_TRUE(seen);
}

TEST(GetMacAddress, ARealCaptureAfterTheHostsAnsweredGivesTheirKnownMacs)
{
    const fs::path work = fs::temp_directory_path() / ("sweepling-capture-" + std::to_string(getpid()));
    fs::create_directories(work);
    const fs::path before = fs::current_path();
    fs::current_path(work);
    const std::string script = proc::CaptureScriptPath();
    ASSERT_FALSE(script.empty());
    std::ofstream(script, std::ios::binary | std::ios::trunc) << "arp -a > arp.txt";

    for (const char* address : {"10.77.0.2", "10.77.0.100", "10.77.0.10", "10.77.0.250"}) {
        echo::IcmpEchoReply reply{};
        std::int16_t ttl = 30;
        proc::PingHost(address, reply, ttl);
        EXPECT_EQ(reply.Status, echo::IP_SUCCESS) << address;
    }
    EXPECT_EQ(proc::GetMacAddress("10.77.0.2"), "02-77-00-00-00-02");
    EXPECT_EQ(proc::GetMacAddress("10.77.0.100"), "02-77-00-00-00-64");
    EXPECT_EQ(proc::GetMacAddress("10.77.0.10"), "02-77-00-00-00-0a");
    EXPECT_EQ(proc::GetMacAddress("10.77.0.250"), "");  // behind the router
    EXPECT_EQ(proc::GetMacAddress("10.77.0.1"), "");    // this host

    // The capture file is left in the layout the lookup reads.
    std::ifstream capture("arp.txt", std::ios::binary);
    std::string first, second;
    std::getline(capture, first);
    std::getline(capture, second);
    EXPECT_EQ(first, "\r");
    EXPECT_EQ(second, "Interface: 10.77.0.1 --- 0x" + [] {
        std::ostringstream hex;
        hex << std::hex << arp::SystemInterface("eth0").index;
        return hex.str();
    }() + "\r");

    fs::remove(script);
    try {
        proc::GetMacAddress("10.77.0.2");
        ADD_FAILURE() << "no error without the capture script";
    } catch (const ads::Error& e) {
        EXPECT_EQ(e.number(), 53);
        EXPECT_EQ(e.description(), "File not found: " + script);
    }
    fs::current_path(before);
    fs::remove_all(work);
}

} // namespace
