#pragma once

#include <QObject>

#include <cstdint>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "live/reconnect_backoff.h"
#include "share/share_queue.h"
#include "share/share_settings.h"

class QNetworkAccessManager;
class QNetworkReply;
class QTimer;

namespace orvex {

class SenderLocks;

// The uploader, on a thread of its own: takes the frames handed in into the
// queue, and sends each server its waiting frames one at a time, in order,
// trying again after a failure. Hand, Status and TakeNews are called from
// any thread; everything else runs on the worker's.
class ShareWorker : public QObject {
    Q_OBJECT

public:
    ShareWorker(ShareSettings settings, ShareTiming timing);
    ~ShareWorker() override;

    // Opens the queue and starts sending what waits; why not, or nothing.
    std::optional<std::string> Open();
    // Queues what was handed in and stops sending; what waits stays queued.
    void Close();

    // Returns at once: the frame is queued on the worker's thread.
    void Hand(std::string bytes, std::int64_t receivedMs);
    ShareStatus Status() const;
    // What the user should hear of since the last call: a server that fails
    // or refuses a frame, once, and one that takes frames again.
    std::vector<std::string> TakeNews();
    bool HasNews() const;

signals:
    void StatusChanged();
    // Frames wait in the inbox: Store runs on the worker's thread.
    void Woken();

private:
    struct Server;

    void Store();
    bool Queue();
    void Halt();
    void Pump(Server& server);
    void Send(Server& server, ShareQueue::Waiting waiting);
    void Answered(Server& server);
    void Refused(Server& server, const std::string& answer);
    void Failed(Server& server, const std::string& answer);
    void QueueFailed();
    void Say(std::string news);
    void Publish();

    const ShareSettings settings_;
    const ShareTiming timing_;
    std::unique_ptr<ShareQueue> queue_;
    std::unique_ptr<SenderLocks> locks_;
    std::unique_ptr<QNetworkAccessManager> network_;
    std::vector<std::unique_ptr<Server>> servers_;
    std::vector<std::int64_t> keys_;
    bool closed_ = false;
    std::uint64_t stored_ = 0;

    // Shared with the threads that hand frames in and read the status.
    mutable std::mutex mutex_;
    std::vector<SharedFrame> inbox_;
    std::uint64_t handed_ = 0;
    std::uint64_t storedShown_ = 0;
    ShareStatus status_;
    std::vector<std::string> news_;
};

}  // namespace orvex
