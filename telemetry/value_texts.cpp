#include "telemetry/value_texts.h"

#include "input/locale_format.h"
#include "telemetry/calibration.h"

namespace orvex {

ValueTexts::ValueTexts(const LocaleFormat& format) {
    three_.reserve(std::size_t{kChannelCount} * 256);
    two_.reserve(std::size_t{kChannelCount} * 256);
    const auto& values = CalibrationTable();
    for (int channel = 0; channel < kChannelCount; ++channel) {
        for (int raw = 0; raw < 256; ++raw) {
            three_.push_back(format.FixedText(values[channel][raw], 3));
            two_.push_back(format.FixedText(values[channel][raw], 2));
        }
    }
}

}  // namespace orvex
