#pragma once

#include <vector>

#include "frames/frame_type.h"
#include "frames/status_frames.h"
#include "frames/telemetry_frames.h"
#include "frames/text_frame.h"

namespace orvex {

// What is done with each decoded frame: the load keeps its telemetry, the
// report writes its block, the window shows its text, the data export writes
// its rows. The fields are views of the frame being read and live only for
// the call.
class FrameHandler {
public:
    virtual ~FrameHandler() = default;
    virtual void OnTextFrame(const TextFrame& /*frame*/) {}  // the time frame and the text frames
    virtual void OnTlmFrame(const TlmFrame& /*frame*/) {}
    virtual void OnWodFrame(const WodFrame& /*frame*/) {}
    virtual void OnHwsFrame(const HwsFrame& /*frame*/) {}
    virtual void OnSwsFrame(const SwsFrame& /*frame*/) {}
    virtual void OnToprFrame(const ToprFrame& /*frame*/) {}
    // Every frame the reader delivered, decoded or not, after its fields
    // were handed on: what became of it and where it lay in the log.
    virtual void OnFrameRead(const Frame& /*frame*/, FrameOutcome /*outcome*/) {}
};

// Hands every frame to each of its handlers in the order they were added.
class FrameHandlers : public FrameHandler {
public:
    void Add(FrameHandler& handler) { handlers_.push_back(&handler); }

    void OnTextFrame(const TextFrame& frame) override { Each(&FrameHandler::OnTextFrame, frame); }
    void OnTlmFrame(const TlmFrame& frame) override { Each(&FrameHandler::OnTlmFrame, frame); }
    void OnWodFrame(const WodFrame& frame) override { Each(&FrameHandler::OnWodFrame, frame); }
    void OnHwsFrame(const HwsFrame& frame) override { Each(&FrameHandler::OnHwsFrame, frame); }
    void OnSwsFrame(const SwsFrame& frame) override { Each(&FrameHandler::OnSwsFrame, frame); }
    void OnToprFrame(const ToprFrame& frame) override { Each(&FrameHandler::OnToprFrame, frame); }
    void OnFrameRead(const Frame& frame, FrameOutcome outcome) override {
        for (FrameHandler* handler : handlers_) {
            handler->OnFrameRead(frame, outcome);
        }
    }

private:
    template <class View>
    void Each(void (FrameHandler::*method)(const View&), const View& frame) {
        for (FrameHandler* handler : handlers_) {
            (handler->*method)(frame);
        }
    }

    std::vector<FrameHandler*> handlers_;
};

}  // namespace orvex
