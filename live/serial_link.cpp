#include "live/serial_link.h"

namespace orvex {

std::string SerialLink::Name() const {
    return device_ + " at " + std::to_string(baudRate_) + " baud";
}

std::string SerialLink::Open() {
    Close();
    port_.setPortName(QString::fromStdString(device_));
    if (!port_.open(QIODevice::ReadOnly)) {
        return port_.errorString().toStdString();
    }
    if (!port_.setBaudRate(baudRate_) || !port_.setDataBits(QSerialPort::Data8) ||
        !port_.setParity(QSerialPort::NoParity) || !port_.setStopBits(QSerialPort::OneStop)) {
        std::string reason = port_.errorString().toStdString();
        Close();
        return reason;
    }
    return {};
}

void SerialLink::Close() {
    if (port_.isOpen()) {
        port_.close();
    }
    port_.clearError();
}

// A wait for bytes that ends without any leaves a timeout behind; that is no
// fault of the port.
bool SerialLink::IsUp() const {
    const QSerialPort::SerialPortError error = port_.error();
    return port_.isOpen() && (error == QSerialPort::NoError || error == QSerialPort::TimeoutError);
}

}  // namespace orvex
