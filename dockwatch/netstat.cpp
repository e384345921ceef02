#include "netstat.h"

#include <charconv>

namespace netstat {
namespace {

constexpr const char* StateNames[] = {
    "CLOSED",     "LISTEN",  "SYN_SENT", "SYN_RCVD",  "ESTAB",     "FIN_WAIT1",
    "FIN_WAIT2", "CLOSE_WAIT", "CLOSING", "LAST_ACK", "TIME_WAIT", "DELETE_TCB",
};

char* putDecimal(char* out, unsigned value)
{
    return std::to_chars(out, out + 10, value).ptr;
}

} // namespace

std::uint32_t PortFromField(const Field& field)
{
    return std::uint32_t{field[0]} * 256u + field[1];
}

std::string AddressFromField(const Field& field)
{
    char text[16];
    char* p = text;
    for (int i = 0; i < 4; ++i) {
        if (i)
            *p++ = '.';
        p = putDecimal(p, field[i]);
    }
    return std::string(text, p);
}

std::string TcpStateName(std::int32_t index)
{
    if (index < 0 || index >= static_cast<std::int32_t>(std::size(StateNames)))
        return "UNDEFINED";
    return StateNames[index];
}

DecodedRow DecodeRow(const MibTcpRow& row)
{
    // The state code is read as the signed number it is, so 0 and negative
    // codes (index -1 and below) stay "UNDEFINED" without overflow.
    const std::int64_t index = std::int64_t{row.dwState} - 1;
    return {
        AddressFromField(row.dwLocalAddr),
        std::to_string(PortFromField(row.dwLocalPort)),
        AddressFromField(row.dwRemoteAddr),
        row.dwState == MIB_TCP_STATE_LISTEN ? std::string("0") : std::to_string(PortFromField(row.dwRemotePort)),
        index < -1 ? std::string("UNDEFINED") : TcpStateName(static_cast<std::int32_t>(index)),
    };
}

} // namespace netstat
