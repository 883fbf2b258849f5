#pragma once

#include <array>

#include "telemetry/channel_table.h"

namespace orvex {

// One captioned frame of the channel panel, in window twips.
struct PanelFrame {
    const char* objectName;
    const char* caption;  // the source of the translated caption
    int left, top, width, height;
};

// A row's four widgets, from the row's left, in twips. The value field is
// wider than the 735 it once had: the platform font's widest value,
// "13313.230" of a TX B RF output, takes 59 pixels of DejaVu Sans at 8.25
// points, and "YES [255]" 54. The unit moves right by as much and loses the
// room that no unit used.
inline constexpr int kSwatchLeft = 60;  // a square of a line's colour, left of the selector
inline constexpr int kSwatchSize = 150;
inline constexpr int kSelectorLeft = 240;
inline constexpr int kNameLeft = 600;
inline constexpr int kNameWidth = 1335;
inline constexpr int kValueLeft = 2040;
inline constexpr int kValueWidth = 1005;
inline constexpr int kUnitLeft = 3090;
inline constexpr int kUnitWidth = 330;

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
