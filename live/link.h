#pragma once

#include <string>

class QIODevice;

namespace orvex {

// A connection to a TNC that may be opened again after it went down: a KISS
// TCP port or a serial port.
class Link {
public:
    virtual ~Link() = default;
    // "localhost:8001", "/dev/ttyUSB0 at 9600 baud"
    virtual std::string Name() const = 0;
    // Opens the link, waiting a few seconds at most; "" or why it failed.
    virtual std::string Open() = 0;
    virtual void Close() = 0;
    // The open link's bytes.
    virtual QIODevice& Device() = 0;
    // False once the link went down: the far end closed it or the device
    // disappeared.
    virtual bool IsUp() const = 0;
};

}  // namespace orvex
