#include "app/widgets/panel_layout.h"

#include <initializer_list>

#include "app/window/object_names.h"

namespace orvex {
namespace {

constexpr int kFirstRowTop = 360;
constexpr int kRowPitch = 240;
constexpr int kGap = -1;  // in a column's row list: extra space between two groups
constexpr int kGapHeight = 120;

// The frames, in the order of PanelFrames.
enum Column { kVoltageColumn, kCurrentColumn, kTemperatureColumn, kStatusColumn };

void PlaceColumn(std::array<RowPlace, kChannelCount>& places, int frame,
                 std::initializer_list<int> rows) {
    int top = kFirstRowTop;
    for (const int row : rows) {
        if (row == kGap) {
            top += kGapHeight;
            continue;
        }
        places[row] = {frame, 0, top};
        top += kRowPitch;
    }
}

std::array<RowPlace, kChannelCount> MakeRowPlaces() {
    std::array<RowPlace, kChannelCount> places{};
    PlaceColumn(places, kVoltageColumn, {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11});
    PlaceColumn(places, kCurrentColumn, {13, 14, 15, 16, 17, 18, 19, 20, 21, 22, 23, 24});
    PlaceColumn(places, kTemperatureColumn,
                {12, 25, 26, 27, 30, 31, 32, 33, kGap, 34, kGap, 28, 29});
    // The status rows share one line.
    places[kEclipseChannel] = {kStatusColumn, 0, kFirstRowTop};
    places[kSetPointChannel] = {kStatusColumn, 3720, kFirstRowTop};
    places[kTeprStateChannel] = {kStatusColumn, 7320, kFirstRowTop};
    return places;
}

}  // namespace

const std::array<PanelFrame, kPanelFrameCount>& PanelFrames() {
    // The status frame is 75 twips taller than designed, which cut off the
    // bottom of its value fields by 4 pixels.
    static const std::array<PanelFrame, kPanelFrameCount> kFrames{{
        {object_name::kVoltageFrame, QT_TRANSLATE_NOOP("orvex::ChannelPanel", "Voltage"), 120, 600,
         3495, 3375},
        {object_name::kCurrentFrame, QT_TRANSLATE_NOOP("orvex::ChannelPanel", "Current"), 3840, 600,
         3495, 3375},
        {object_name::kTemperatureFrame, QT_TRANSLATE_NOOP("orvex::ChannelPanel", "Temperature"),
         7440, 600, 3495, 3375},
        {object_name::kStatusFrame, QT_TRANSLATE_NOOP("orvex::ChannelPanel", "Status"), 120, 4080,
         10815, 690},
    }};
    return kFrames;
}

const std::array<RowPlace, kChannelCount>& RowPlaces() {
    static const std::array<RowPlace, kChannelCount> kPlaces = MakeRowPlaces();
    return kPlaces;
}

}  // namespace orvex
