#pragma once
// The local computer's IPv4 TCP connection table, row by row in the
// MIB_TCPROW layout, read from the kernel's socket diagnostics (netlink
// sock_diag), the way ss reads it.
#include "netstat.h"

#include <vector>

namespace dockwatch {

class TcpTableSource {
public:
    virtual ~TcpTableSource() = default;
    // Every connection, in the kernel's order; throws ads::Error when the
    // table cannot be read.
    virtual std::vector<netstat::MibTcpRow> GetTcpTable() = 0;
};

class NetlinkTcpTable final : public TcpTableSource {
public:
    std::vector<netstat::MibTcpRow> GetTcpTable() override;

private:
    std::size_t lastCount_ = 0;  // sizes the next table: no regrowing on large ones
};

// The MIB state code of a kernel TCP state (TCP_ESTABLISHED, ...); 0 for one it does not know.
std::int32_t MibStateFromKernel(int kernelState);

} // namespace dockwatch
