#pragma once

#include <QSerialPort>
#include <string>

#include "live/link.h"

namespace orvex {

// A TNC on a serial port, eight data bits, no parity, one stop bit.
class SerialLink : public Link {
public:
    static constexpr int kUsualBaudRate = 9600;

    SerialLink(std::string device, int baudRate)
        : device_(std::move(device)), baudRate_(baudRate) {}

    std::string Name() const override;
    std::string Open() override;
    void Close() override;
    QIODevice& Device() override { return port_; }
    bool IsUp() const override;

private:
    std::string device_;
    int baudRate_;
    QSerialPort port_;
};

}  // namespace orvex
