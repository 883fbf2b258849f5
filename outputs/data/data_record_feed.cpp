#include "outputs/data/data_record_feed.h"

#include "outputs/data/status_fields.h"

namespace orvex {

void DataRecordFeed::OnTlmFrame(const TlmFrame& frame) {
    TlmRecord record;
    record.offset = frame.Bytes().logOffset;
    if (frame.HoldsTimestamp()) {
        record.time = frame.Timestamp();
    }
    if (frame.HoldsSoftwareVersion()) {
        record.softwareVersion = frame.SoftwareVersion();
    }
    record.channelsHeld = frame.ChannelsHeld();
    for (int channel = 0; channel < record.channelsHeld; ++channel) {
        record.raw[static_cast<std::size_t>(channel)] = frame.RawChannel(channel);
    }
    sink_.OnTlmRecord(record);
}

void DataRecordFeed::OnWodFrame(const WodFrame& frame) {
    for (int k = 0; k < WodFrame::kSampleCount && frame.HoldsSample(k); ++k) {
        const WodFrame::Sample sample = frame.SampleAt(k);
        sink_.OnWodRecord({sample.timestamp, sample.raw});
    }
}

void DataRecordFeed::OnHwsFrame(const HwsFrame& frame) {
    const StatusFields fields(frame);
    const std::optional<std::uint32_t> time =
        frame.HoldsTimestamp() ? std::optional(frame.Timestamp()) : std::nullopt;
    sink_.OnStatusRecord({frame.Bytes().logOffset, FrameType::Hws, time, fields.All()});
}

void DataRecordFeed::OnSwsFrame(const SwsFrame& frame) {
    const StatusFields fields(frame);
    sink_.OnStatusRecord({frame.Bytes().logOffset, FrameType::Sws, std::nullopt, fields.All()});
}

void DataRecordFeed::OnToprFrame(const ToprFrame& frame) {
    const StatusFields fields(frame);
    sink_.OnStatusRecord({frame.Bytes().logOffset, FrameType::Topr, std::nullopt, fields.All()});
}

void DataRecordFeed::OnFrameRead(const Frame& frame, FrameOutcome outcome) {
    sink_.OnFrameRecord(
        {frame, outcome, outcome == FrameOutcome::Decoded ? CarriedTime(frame) : std::nullopt});
}

}  // namespace orvex
