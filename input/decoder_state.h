#pragma once

#include <cstdint>
#include <string>

#include "input/frame.h"
#include "input/locale_format.h"
#include "input/report_file.h"
#include "input/window_port.h"
#include "telemetry/channel_table.h"
#include "telemetry/record_store.h"
#include "telemetry/value_texts.h"
#include "telemetry/wod_row_list.h"

namespace orvex {

// Everything one program run keeps between frames and between loads: the
// frame buffer, the counters, the tables, the records and List2. A new load
// resets the counters and lists but neither the frame buffer nor the record
// slots, which later frames overwrite.
struct DecoderState {
    DecoderState(WindowPort& window, const LocaleFormat& format)
        : window(window),
          format(format),
          valueTexts(format, StandardChannelTable()),
          wodChannels(StandardWodChannelList()),
          List2(format, valueTexts, wodChannels) {}

    WindowPort& window;
    const LocaleFormat& format;
    // Channel descriptions never change, so their texts are made once.
    const ValueTexts valueTexts;

    Frame frame;
    std::string LogFilePath;
    std::uint64_t FrameCount = 0;
    ChannelTable channels;
    WodChannelList wodChannels;
    RecordStore records;
    std::uint64_t tlmFramesNotKept = 0;  // TLM frames beyond the store's 100
    WodRowList List2;
    ReportWriter report;  // its Path() is the ReportFileName of this load
    std::string scratch;  // a working text reused from frame to frame

    // Decoders read the check mark afresh at every frame: the user may switch
    // it while a log loads.
    bool ReportEnabled() const { return window.WriteTLMFileChecked(); }
};

}  // namespace orvex
