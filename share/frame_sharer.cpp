#include "share/frame_sharer.h"

#include <QMetaMethod>

#include "share/share_worker.h"

namespace orvex {

FrameSharer::FrameSharer(ShareSettings settings, ShareTiming timing)
    : worker_(new ShareWorker(std::move(settings), timing)) {
    thread_.setObjectName(QStringLiteral("orvex-share"));
}

FrameSharer::~FrameSharer() {
    if (thread_.isRunning()) {
        QMetaObject::invokeMethod(worker_, &ShareWorker::Close, Qt::BlockingQueuedConnection);
        thread_.quit();
        thread_.wait();
    }
    // The worker's thread has ended: nothing of it runs any more.
    delete worker_;
}

std::optional<std::string> FrameSharer::Start() {
    worker_->moveToThread(&thread_);
    thread_.start();
    std::optional<std::string> problem;
    QMetaObject::invokeMethod(
        worker_, [&] { problem = worker_->Open(); }, Qt::BlockingQueuedConnection);
    started_ = !problem;
    return problem;
}

void FrameSharer::Share(std::string bytes, std::int64_t receivedMs) {
    if (started_) {
        worker_->Hand(std::move(bytes), receivedMs);
    }
}

ShareStatus FrameSharer::Status() const {
    return worker_->Status();
}

std::vector<std::string> FrameSharer::TakeNews() {
    return worker_->TakeNews();
}

bool FrameSharer::HasNews() const {
    return worker_->HasNews();
}

// Forwarded only once someone listens: queued to a thread that runs no event
// loop (the command line's), every change would wait in memory for good.
void FrameSharer::connectNotify(const QMetaMethod& signal) {
    if (signal == QMetaMethod::fromSignal(&FrameSharer::StatusChanged) && !forwarding_) {
        forwarding_ = true;
        connect(worker_, &ShareWorker::StatusChanged, this, &FrameSharer::StatusChanged);
    }
}

}  // namespace orvex
