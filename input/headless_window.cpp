#include "input/headless_window.h"

#include <algorithm>

namespace orvex {

void HeadlessWindow::AddList1Item(std::string_view text) {
    ++list1Count;
    if (keepList1_) {
        list1.emplace_back(text);
    }
}

void HeadlessWindow::SetHScroll1Max(int max) {
    hScroll1Minimum = max > 0 ? 1 : 0;
    hScroll1Maximum = std::max(max, 0);
    const int position = std::clamp(hScroll1Position, hScroll1Minimum, hScroll1Maximum);
    if (position != hScroll1Position) {
        hScroll1Position = position;
        if (onHScroll1Change) {
            onHScroll1Change(position);
        }
    }
}

void HeadlessWindow::YieldAfterFrame(std::uint64_t frameCount) {
    ++yields;
    if (onYield) {
        onYield(frameCount);
    }
}

void HeadlessWindow::YieldWhileReading() {
    ++readingYields;
    if (onReadingYield) {
        onReadingYield();
    }
}

void HeadlessWindow::ShowFrameCount(std::uint64_t frameCount) {
    label3 = FrameCountCaption(frameCount);
}

}  // namespace orvex
