#pragma once

#include <algorithm>
#include <chrono>

namespace orvex {

// Whoever runs a load follows it and may end it: the window, which shows its
// progress and ends it for Open, Connect or Exit; the command line, which
// prints its progress and ends it at a stop signal.
class LoadFollower {
public:
    virtual ~LoadFollower() = default;
    // Whether the load should end at its next frame. Asked at every question
    // of the pacing below, so it must be cheap and safe to read from the
    // loading thread (a flag).
    virtual bool StopRequested() const = 0;
    // The follower's turn, once a slice of time: it shows how far the load
    // has come.
    virtual void OnSlice() = 0;
};

// The one clock of a load, for logs and streams alike. The load asks "may I
// go on?" after every frame and between the blocks of a log; a stream asks
// while it waits for bytes, at least once a slice. A question answers the
// follower's stop at once and gives it its turn when a slice has passed since
// its last, so the follower hears from a load at the same pace whether frames
// pour in, bytes arrive without frames or the stream is silent.
class LoadPacing {
public:
    using Clock = std::chrono::steady_clock;
    // Often enough to move a counter smoothly and to end a silent stream
    // without a noticeable wait; rarely enough to cost a fast load nothing.
    static constexpr std::chrono::milliseconds kSlice{50};

    explicit LoadPacing(LoadFollower& follower, std::chrono::milliseconds slice = kSlice)
        : follower_(follower), slice_(slice), nextTurn_(Clock::now() + slice) {}

    bool MayGoOn() {
        const Clock::time_point now = Clock::now();
        if (now >= nextTurn_) {
            nextTurn_ = now + slice_;
            follower_.OnSlice();
        }
        return !follower_.StopRequested();
    }

    // The follower's stop, without a turn.
    bool StopRequested() const { return follower_.StopRequested(); }

    // How long a stream may wait for bytes before it asks again.
    std::chrono::milliseconds UntilNextTurn() const {
        const auto left = std::chrono::ceil<std::chrono::milliseconds>(nextTurn_ - Clock::now());
        return std::clamp(left, std::chrono::milliseconds(1), slice_);
    }

private:
    LoadFollower& follower_;
    std::chrono::milliseconds slice_;
    Clock::time_point nextTurn_;
};

// A load that nobody follows: it is never stopped.
class UnfollowedLoad : public LoadFollower {
public:
    bool StopRequested() const override { return false; }
    void OnSlice() override {}
};

}  // namespace orvex
