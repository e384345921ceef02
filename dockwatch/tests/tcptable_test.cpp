#include "dockwatch/tcptable.h"

#include "sockets.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <thread>
#include <tuple>

#include <sys/socket.h>

namespace {

using netstat::DecodedRow;

std::vector<DecodedRow> readTable()
{
    dockwatch::NetlinkTcpTable table;
    std::vector<DecodedRow> rows;
    for (const auto& row : table.GetTcpTable())
        rows.push_back(netstat::DecodeRow(row));
    return rows;
}

std::vector<DecodedRow> rowsWithLocalPort(const std::vector<DecodedRow>& rows, std::uint16_t port)
{
    std::vector<DecodedRow> out;
    std::copy_if(rows.begin(), rows.end(), std::back_inserter(out),
                 [&](const DecodedRow& r) { return r.localPort == std::to_string(port); });
    return out;
}

// The namespace holds only what these tests open.
TEST(NetlinkTcpTable, ListenerAndEstablishedPair)
{
    auto listener = testsockets::listen();
    auto pair = testsockets::connect(listener);
    const auto rows = readTable();

    const auto atServer = rowsWithLocalPort(rows, listener.port);
    ASSERT_EQ(atServer.size(), 2u);  // the listener and the accepted end
    const auto listening = std::find_if(atServer.begin(), atServer.end(), [](auto& r) { return r.status == "LISTEN"; });
    ASSERT_NE(listening, atServer.end());
    EXPECT_EQ(listening->localIp, "127.0.0.1");
    EXPECT_EQ(listening->remoteIp, "0.0.0.0");
    EXPECT_EQ(listening->remotePort, "0");
    const auto accepted = std::find_if(atServer.begin(), atServer.end(), [](auto& r) { return r.status == "ESTAB"; });
    ASSERT_NE(accepted, atServer.end());
    EXPECT_EQ(accepted->remotePort, std::to_string(pair.clientPort));

    const auto atClient = rowsWithLocalPort(rows, pair.clientPort);
    ASSERT_EQ(atClient.size(), 1u);
    EXPECT_EQ(atClient[0].localIp, "127.0.0.1");
    EXPECT_EQ(atClient[0].remoteIp, "127.0.0.1");
    EXPECT_EQ(atClient[0].remotePort, std::to_string(listener.port));
    EXPECT_EQ(atClient[0].status, "ESTAB");
}

TEST(NetlinkTcpTable, ClosingStates)
{
    auto listener = testsockets::listen();
    auto passive = testsockets::connect(listener);
    auto active = testsockets::connect(listener);
    passive.server.closeGracefully();  // the client end waits for its own close: CLOSE_WAIT
    active.client.closeGracefully();   // the end that closed first lingers: TIME_WAIT after the peer's FIN
    active.server.closeGracefully();
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    const auto rows = readTable();

    const auto closeWait = rowsWithLocalPort(rows, passive.clientPort);
    ASSERT_EQ(closeWait.size(), 1u);
    EXPECT_EQ(closeWait[0].status, "CLOSE_WAIT");
    const auto timeWait = rowsWithLocalPort(rows, active.clientPort);
    ASSERT_EQ(timeWait.size(), 1u);
    EXPECT_EQ(timeWait[0].status, "TIME_WAIT");
    EXPECT_EQ(timeWait[0].remotePort, std::to_string(listener.port));
}

TEST(NetlinkTcpTable, IPv4ConnectionToADualStackListener)
{
    auto listener = testsockets::listen(/*dualStack=*/true);
    auto pair = testsockets::connect(listener);
    const auto rows = readTable();

    // The [::] listener itself is IPv6 and stays out; the accepted end, held
    // by an IPv6 socket as ::ffff:127.0.0.1, is the IPv4 row it really is.
    const auto atServer = rowsWithLocalPort(rows, listener.port);
    ASSERT_EQ(atServer.size(), 1u);
    EXPECT_EQ(atServer[0].localIp, "127.0.0.1");
    EXPECT_EQ(atServer[0].remoteIp, "127.0.0.1");
    EXPECT_EQ(atServer[0].remotePort, std::to_string(pair.clientPort));
    EXPECT_EQ(atServer[0].status, "ESTAB");
    EXPECT_EQ(rowsWithLocalPort(rows, pair.clientPort).size(), 1u);
}

TEST(NetlinkTcpTable, EveryOneOfFiveHundredConnections)
{
    auto listener = testsockets::listen();
    std::vector<testsockets::Pair> pairs;
    for (int i = 0; i < 500; ++i)
        pairs.push_back(testsockets::connect(listener));
    const auto rows = readTable();

    std::set<std::tuple<std::string, std::string, std::string>> seen;
    for (const auto& r : rows)
        if (r.status == "ESTAB") {
            EXPECT_TRUE(seen.emplace(r.localPort, r.remotePort, r.status).second) << "listed twice";
        }
    const std::string server = std::to_string(listener.port);
    for (const auto& p : pairs) {
        const std::string client = std::to_string(p.clientPort);
        EXPECT_TRUE(seen.count({client, server, "ESTAB"})) << client;
        EXPECT_TRUE(seen.count({server, client, "ESTAB"})) << client;
    }
    EXPECT_EQ(seen.size(), 1000u);
}

} // namespace
