#include "session/load_thread.h"

namespace orvex {

LoadThread::LoadThread() {
    setObjectName(QStringLiteral("orvex loads"));
    start();
}

LoadThread::~LoadThread() {
    {
        std::unique_lock lock(mutex_);
        ending_ = true;
        changed_.notify_all();
        // The end of the jobs, seen through our own lock: QThread's wait
        // below goes through Qt's, which ThreadSanitizer cannot see, and
        // what the jobs touched is destroyed after this.
        changed_.wait(lock, [this] { return ended_ || !isRunning(); });
    }
    wait();
}

void LoadThread::Post(std::function<void()> job) {
    {
        const std::lock_guard lock(mutex_);
        jobs_.push_back(std::move(job));
    }
    changed_.notify_all();
}

void LoadThread::run() {
    for (;;) {
        std::function<void()> job;
        {
            std::unique_lock lock(mutex_);
            changed_.wait(lock, [this] { return ending_ || !jobs_.empty(); });
            if (jobs_.empty()) {
                ended_ = true;
                changed_.notify_all();
                return;
            }
            job = std::move(jobs_.front());
            jobs_.pop_front();
        }
        job();
    }
}

}  // namespace orvex
