#include "session/load_thread.h"

namespace orvex {

LoadThread::LoadThread() {
    setObjectName(QStringLiteral("orvex loads"));
    start();
}

LoadThread::~LoadThread() {
    {
        const std::lock_guard lock(mutex_);
        ending_ = true;
    }
    posted_.notify_one();
    wait();
}

void LoadThread::Post(std::function<void()> job) {
    {
        const std::lock_guard lock(mutex_);
        jobs_.push_back(std::move(job));
    }
    posted_.notify_one();
}

void LoadThread::run() {
    for (;;) {
        std::function<void()> job;
        {
            std::unique_lock lock(mutex_);
            posted_.wait(lock, [this] { return ending_ || !jobs_.empty(); });
            if (jobs_.empty()) {
                return;
            }
            job = std::move(jobs_.front());
            jobs_.pop_front();
        }
        job();
    }
}

}  // namespace orvex
