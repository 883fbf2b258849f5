#pragma once

#include <QString>
#include <memory>

namespace orvex {

class Link;

// What File > Connect opens: a TNC's KISS TCP port or a serial port, and
// the folder the stream is recorded into. The last choice is remembered for
// the next run.
struct LinkChoice {
    enum class Kind { Tcp, Serial };

    Kind kind = Kind::Tcp;
    QString host;
    int port = 0;
    QString device;
    int baudRate = 0;
    QString recordFolder;

    // The last choice, or localhost:8001 at 9600 baud into the home folder.
    static LinkChoice Remembered();
    void Remember() const;

    // Whether the kind chosen has what it needs to be opened.
    bool IsComplete() const;
    std::unique_ptr<Link> MakeLink() const;
};

}  // namespace orvex
