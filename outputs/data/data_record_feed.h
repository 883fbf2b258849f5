#pragma once

#include "frames/frame_handler.h"
#include "outputs/data/data_records.h"

namespace orvex {

// Turns the frames of a load into records for a DataSink: the decoders'
// values of every TLM, WOD and status frame, and every frame the reader
// delivered.
class DataRecordFeed : public FrameHandler {
public:
    explicit DataRecordFeed(DataSink& sink) : sink_(sink) {}

    void OnTlmFrame(const TlmFrame& frame) override;
    void OnWodFrame(const WodFrame& frame) override;
    void OnHwsFrame(const HwsFrame& frame) override;
    void OnSwsFrame(const SwsFrame& frame) override;
    void OnToprFrame(const ToprFrame& frame) override;
    void OnFrameRead(const Frame& frame, FrameOutcome outcome) override;

private:
    DataSink& sink_;
};

}  // namespace orvex
