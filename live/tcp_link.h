#pragma once

#include <QTcpSocket>
#include <cstdint>
#include <string>

#include "live/link.h"

namespace orvex {

// A TNC's KISS TCP port.
class TcpLink : public Link {
public:
    static constexpr std::uint16_t kUsualPort = 8001;

    TcpLink(std::string host, std::uint16_t port) : host_(std::move(host)), port_(port) {}

    std::string Name() const override;
    std::string Open() override;
    void Close() override { socket_.abort(); }
    QIODevice& Device() override { return socket_; }
    bool IsUp() const override { return socket_.state() == QAbstractSocket::ConnectedState; }

private:
    std::string host_;
    std::uint16_t port_;
    QTcpSocket socket_;
};

}  // namespace orvex
