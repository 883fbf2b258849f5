#pragma once

#include <QElapsedTimer>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

// The chart benchmarks' clock: a piece of work run a number of times, its
// median and slowest run.
namespace orvex::bench {

inline constexpr int kRuns = 15;

struct Timing {
    double median = 0;
    double slowest = 0;
};

inline Timing Time(const std::function<void()>& work, int runs = kRuns) {
    std::vector<double> ms;
    for (int run = 0; run < runs; ++run) {
        QElapsedTimer clock;
        clock.start();
        work();
        ms.push_back(static_cast<double>(clock.nsecsElapsed()) / 1e6);
    }
    std::sort(ms.begin(), ms.end());
    return {ms[ms.size() / 2], ms.back()};
}

inline void Print(const char* what, const Timing& timing) {
    std::printf("%-46s median %7.1f ms, slowest %7.1f ms\n", what, timing.median, timing.slowest);
}

}  // namespace orvex::bench
