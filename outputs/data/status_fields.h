#pragma once

#include <array>
#include <cstddef>
#include <span>
#include <string_view>

#include "frames/status_frames.h"
#include "outputs/data/data_records.h"

namespace orvex {

// A status frame's fields in the order of their columns, named as in the
// report: an HWS frame's register groups (as numbers) and transmitter flags
// (0 or 1); an SWS frame's settings, watchdogs, WOD version and channels, set
// points and TEPR pairs; a TOPR frame's seven states with their modes. Each
// says whether the frame held it.
class StatusFields {
public:
    explicit StatusFields(const HwsFrame& frame);
    explicit StatusFields(const SwsFrame& frame);
    explicit StatusFields(const ToprFrame& frame);

    std::span<const StatusField> All() const { return {fields_.data(), count_}; }

private:
    void AddNumber(std::string_view name, std::int64_t value, bool held) {
        fields_[count_++] = {name, value, {}, held};
    }

    std::array<StatusField, 35> fields_{};  // SWS has the most
    std::size_t count_ = 0;
};

// The names of every status column: HWS's fields, then SWS's, then TOPR's.
std::span<const std::string_view> StatusColumnNames();
// Where the columns of `type` (HWS, SWS or TOPR) start among them.
std::size_t StatusColumnStart(FrameType type);

}  // namespace orvex
