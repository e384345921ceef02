#include "dockwatch/netstat.h"

#include <gtest/gtest.h>

#include <climits>

namespace {

using netstat::Field;

TEST(Netstat, Decoders)
{
    struct PortCase {
        Field field;
        std::uint32_t port;
    } ports[] = {
        {{0x00, 0x50, 0, 0}, 80},     {{0x1F, 0x90, 0, 0}, 8080},       {{0xC3, 0x50, 0, 0}, 50000},
        {{0xFF, 0xFF, 0, 0}, 65535},  {{0x00, 0x50, 0xAB, 0xCD}, 80}, {{0, 0, 0, 0}, 0},
    };
    for (const auto& c : ports)
        EXPECT_EQ(netstat::PortFromField(c.field), c.port);

    struct AddressCase {
        Field field;
        const char* text;
    } addresses[] = {
        {{0x7F, 0, 0, 1}, "127.0.0.1"},
        {{0x0A, 0, 0, 0xFF}, "10.0.0.255"},
        {{0xC0, 0xA8, 0x01, 0x0A}, "192.168.1.10"},
        {{0, 0, 0, 0}, "0.0.0.0"},
        {{0xFF, 0xFF, 0xFF, 0xFF}, "255.255.255.255"},
    };
    for (const auto& c : addresses)
        EXPECT_EQ(netstat::AddressFromField(c.field), c.text);

    const char* names[] = {"CLOSED",    "LISTEN",     "SYN_SENT", "SYN_RCVD", "ESTAB",     "FIN_WAIT1",
                           "FIN_WAIT2", "CLOSE_WAIT", "CLOSING",  "LAST_ACK", "TIME_WAIT", "DELETE_TCB"};
    for (int state = 1; state <= 12; ++state)
        EXPECT_EQ(netstat::TcpStateName(state - 1), names[state - 1]) << state;
    for (int index : {-1, 12, 13, -2, INT_MIN, INT_MAX})
        EXPECT_EQ(netstat::TcpStateName(index), "UNDEFINED") << index;
}

TEST(Netstat, DecodeRowGivesTheFiveColumns)
{
    netstat::MibTcpRow row{5, {192, 168, 1, 10}, {0xC3, 0x50, 9, 9}, {10, 0, 0, 255}, {0x01, 0xBB, 0, 0}};
    auto d = netstat::DecodeRow(row);
    EXPECT_EQ(d.localIp, "192.168.1.10");
    EXPECT_EQ(d.localPort, "50000");
    EXPECT_EQ(d.remoteIp, "10.0.0.255");
    EXPECT_EQ(d.remotePort, "443");
    EXPECT_EQ(d.status, "ESTAB");

    row.dwState = 2;  // a listener's remote port reads "0" whatever its bytes
    d = netstat::DecodeRow(row);
    EXPECT_EQ(d.remotePort, "0");
    EXPECT_EQ(d.status, "LISTEN");

    for (std::int32_t state : {0, 13, -1, INT_MIN, INT_MAX}) {
        row.dwState = state;
        d = netstat::DecodeRow(row);
        EXPECT_EQ(d.status, "UNDEFINED") << state;
        EXPECT_EQ(d.remotePort, "443") << state;
    }
}

} // namespace
