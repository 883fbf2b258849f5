#pragma once

#include <QObject>
#include <QThread>

#include <cstdint>
#include <future>
#include <optional>
#include <string>
#include <vector>

#include "share/share_settings.h"

namespace orvex {

class ShareWorker;

// Shares received frames with telemetry servers over the Simple Downlink
// Share Convention. The decode hands each frame in and goes on at once: the
// queue on disk and the network are the uploader's, on a thread of its own.
// Made on the thread that reads the status; StatusChanged reaches it queued.
class FrameSharer : public QObject {
    Q_OBJECT

public:
    explicit FrameSharer(ShareSettings settings, ShareTiming timing = {});
    // Stops sending; what waits stays in the queue for the next start.
    ~FrameSharer() override;
    FrameSharer(const FrameSharer&) = delete;
    FrameSharer& operator=(const FrameSharer&) = delete;

    // Opens the queue and starts sending what waits in it; why not, or
    // nothing.
    std::optional<std::string> Start();

    // The bytes the TNC delivered after the KISS command byte, received at
    // `receivedMs` (since 1970 UTC). From any thread; never waits.
    void Share(std::string bytes, std::int64_t receivedMs);

    ShareStatus Status() const;
    // What happened since the last call that the user should hear of.
    std::vector<std::string> TakeNews();
    bool HasNews() const;

signals:
    void StatusChanged();

protected:
    void connectNotify(const QMetaMethod& signal) override;

private:
    QThread thread_;
    ShareWorker* worker_;
    std::promise<void> closed_;  // set on the worker's thread, by its last work
    bool started_ = false;
    bool forwarding_ = false;
};

}  // namespace orvex
