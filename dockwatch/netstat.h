#pragma once
// NETSTAT: the TCP table's row layout and the decoders that turn a row's
// bytes into the five texts of the connection list.
#include <array>
#include <cstdint>
#include <string>

namespace netstat {

// A four-byte address or port field, in the order the bytes lie in memory.
using Field = std::array<std::uint8_t, 4>;

// One row of the table, laid out as MIB_TCPROW (20 bytes).
struct MibTcpRow {
    std::int32_t dwState = 0;
    Field dwLocalAddr{};
    Field dwLocalPort{};
    Field dwRemoteAddr{};
    Field dwRemotePort{};
};
static_assert(sizeof(MibTcpRow) == 20);

// The published MIB_TCP_STATE codes.
enum MibTcpState : std::int32_t {
    MIB_TCP_STATE_CLOSED = 1,
    MIB_TCP_STATE_LISTEN = 2,
    MIB_TCP_STATE_SYN_SENT = 3,
    MIB_TCP_STATE_SYN_RCVD = 4,
    MIB_TCP_STATE_ESTAB = 5,
    MIB_TCP_STATE_FIN_WAIT1 = 6,
    MIB_TCP_STATE_FIN_WAIT2 = 7,
    MIB_TCP_STATE_CLOSE_WAIT = 8,
    MIB_TCP_STATE_CLOSING = 9,
    MIB_TCP_STATE_LAST_ACK = 10,
    MIB_TCP_STATE_TIME_WAIT = 11,
    MIB_TCP_STATE_DELETE_TCB = 12,
};

// b0 * 256 + b1; b2 and b3 are not read.
std::uint32_t PortFromField(const Field& field);
// "b0.b1.b2.b3" in decimal.
std::string AddressFromField(const Field& field);
// The name of the state whose code is index + 1; "UNDEFINED" outside 0..11.
std::string TcpStateName(std::int32_t index);

// The five texts of a row: "Local IP", "Local Port", "Remote IP", "Remote Port", "Status".
struct DecodedRow {
    std::string localIp, localPort, remoteIp, remotePort, status;
};
DecodedRow DecodeRow(const MibTcpRow& row);

} // namespace netstat
