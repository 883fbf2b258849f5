#pragma once

#include <QThread>
#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>

namespace orvex {

// The window's thread of loads: runs the jobs it is given one after another,
// in the order given, so that no two loads run at once.
//
// Jobs come through a queue of its own rather than Qt's events, and what a
// job finds goes back through the job's own lock: Debian's Qt is not built
// for ThreadSanitizer, which therefore cannot see the lock of Qt's event
// queue and would take every hand-over through it for a race. Only
// Published, a signal that carries nothing, crosses through Qt.
class LoadThread : public QThread {
    Q_OBJECT
public:
    LoadThread();
    // Runs the jobs given so far, then ends the thread.
    ~LoadThread() override;
    LoadThread(const LoadThread&) = delete;
    LoadThread& operator=(const LoadThread&) = delete;

    void Post(std::function<void()> job);

signals:
    // A job published what its load found: emitted on this thread, for the
    // window's, which takes it.
    void Published();

protected:
    void run() override;

private:
    std::mutex mutex_;
    std::condition_variable changed_;  // a job posted, the end asked or reached
    std::deque<std::function<void()>> jobs_;
    bool ending_ = false;
    bool ended_ = false;  // run() has returned: nothing of ours runs on the thread
};

}  // namespace orvex
