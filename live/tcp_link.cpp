#include "live/tcp_link.h"

namespace orvex {
namespace {

// A TNC on the same machine or network answers at once; a host that does
// not answer at all is tried again later rather than waited for.
constexpr int kConnectTimeoutMs = 3000;

}  // namespace

std::string TcpLink::Name() const {
    return host_ + ':' + std::to_string(port_);
}

std::string TcpLink::Open() {
    socket_.abort();
    socket_.connectToHost(QString::fromStdString(host_), port_, QIODevice::ReadOnly);
    if (socket_.waitForConnected(kConnectTimeoutMs)) {
        return {};
    }
    std::string reason = socket_.errorString().toStdString();
    socket_.abort();
    return reason;
}

}  // namespace orvex
