#include "share/frame_sharer.h"

#include <QMetaMethod>

#include "share/share_worker.h"

namespace orvex {

// The worker opens as the first work of its thread and closes as the last,
// once its event loop has ended, and each answer comes back through a
// future: a blocking call through Qt's event queue would hand it over under
// Qt's lock, which ThreadSanitizer cannot see in Debian's Qt.
FrameSharer::FrameSharer(ShareSettings settings, ShareTiming timing)
    : worker_(new ShareWorker(std::move(settings), timing)) {
    thread_.setObjectName(QStringLiteral("orvex-share"));
    connect(
        &thread_, &QThread::finished, worker_,
        [this] {
            worker_->Close();
            closed_.set_value();
        },
        Qt::DirectConnection);
}

FrameSharer::~FrameSharer() {
    if (thread_.isRunning()) {
        std::future<void> closed = closed_.get_future();
        thread_.quit();
        closed.wait();
        thread_.wait();
    }
    // The worker's thread has ended: nothing of it runs any more.
    delete worker_;
}

std::optional<std::string> FrameSharer::Start() {
    std::promise<std::optional<std::string>> opened;
    std::future<std::optional<std::string>> problem = opened.get_future();
    const QMetaObject::Connection opening = connect(
        &thread_, &QThread::started, worker_, [&] { opened.set_value(worker_->Open()); },
        Qt::DirectConnection);
    worker_->moveToThread(&thread_);
    thread_.start();
    std::optional<std::string> answer = problem.get();
    disconnect(opening);
    started_ = !answer;
    return answer;
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
