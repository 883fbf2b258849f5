#pragma once

#include <array>

#include "telemetry/channel_table.h"

namespace orvex {

// One captioned frame of the channel panel, in window twips.
struct PanelFrame {
    const char* objectName;
    const char* caption;
    int left, top, width, height;
};

inline constexpr int kPanelFrameCount = 4;
const std::array<PanelFrame, kPanelFrameCount>& PanelFrames();

// Where a channel row lies: its frame (an index into PanelFrames) and the
// row's offset inside that frame, in twips.
struct RowPlace {
    int frame = 0;
    int left = 0;
    int top = 0;
};

// Indexed by channel. The display order is not the index order: row 12
// heads the temperatures and the two RF outputs close that frame.
const std::array<RowPlace, kChannelCount>& RowPlaces();

}  // namespace orvex
