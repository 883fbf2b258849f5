#include "tools/synth/text_frames.h"

#include <array>
#include <charconv>
#include <cstdio>
#include <string_view>

#include "telemetry/channel_table.h"
#include "tools/synth/telemetry_frames.h"

namespace orvex::synth {
namespace {

struct CivilDate {
    int year, month, day;
};

// Days since 1970-01-01 to a Gregorian date (Howard Hinnant's algorithm).
CivilDate DateOfDay(std::int64_t days) {
    days += 719468;
    const std::int64_t era = days / 146097;
    const auto dayOfEra = static_cast<int>(days - era * 146097);
    const int yearOfEra = (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
    const int dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    const int shiftedMonth = (5 * dayOfYear + 2) / 153;
    const int day = dayOfYear - (153 * shiftedMonth + 2) / 5 + 1;
    const int month = shiftedMonth < 10 ? shiftedMonth + 3 : shiftedMonth - 9;
    const auto year = static_cast<int>(yearOfEra + era * 400 + (month <= 2 ? 1 : 0));
    return {year, month, day};
}

// Integers and texts only: printf's %f would follow the C locale, which a Qt
// program sets from the environment.
template <class... Args>
std::string Format(const char* pattern, Args... args) {
    char text[200];
    std::snprintf(text, sizeof text, pattern, args...);
    return text;
}

std::string Fixed(double value, int decimals) {
    char text[32];
    const auto result =
        std::to_chars(text, text + sizeof text, value, std::chars_format::fixed, decimals);
    return {text, result.ptr};
}

template <std::size_t N>
std::string_view Pick(const std::array<std::string_view, N>& texts, Random& random) {
    return texts[random.Between(0, static_cast<int>(N) - 1)];
}

std::string InfText(Random& random) {
    static constexpr std::array<std::string_view, 4> kTexts = {
        "ORVEX-1 amateur satellite, telemetry 1200 bd AFSK on 436.797 MHz",
        "ORVEX-1: reports of reception are welcome, thank you for listening",
        "ORVEX-1 FM transponder 145.850 MHz up, 436.797 MHz down in analogue modes",
        "ORVEX-1 digipeater via ORVEX-1 when the transmitter runs a digital mode",
    };
    return std::string(Pick(kTexts, random));
}

std::string BcrText(const SpacecraftState& state) {
    double battery = 0;
    for (int cell = 0; cell < 8; ++cell) {
        battery += state.value[kBatteryCell0 + cell];
    }
    if (state.eclipse) {
        return "BCR ECLIPSE VBAT=" + Fixed(battery, 2) + "V DISCHARGE";
    }
    return "BCR MPPT VSA=" + Fixed(state.value[kSolarArrayVolts], 1) +
           "V IIN=" + Fixed(state.value[kBcrInputCurrent], 0) + "mA VBAT=" + Fixed(battery, 2) +
           "V CHARGE";
}

std::string MessageText(Random& random) {
    static constexpr std::array<std::string_view, 4> kTexts = {
        "Hello from ORVEX-1!\r\n73 to all stations sending telemetry",
        "Next FM transponder weekend announced on the bulletin",
        "ORVEX-1 command team:\r\nnew TX schedule uploaded today",
        "Thanks for the telemetry reports, keep them coming",
    };
    return std::string(Pick(kTexts, random));
}

std::string ErrText(std::uint32_t time, Random& random) {
    static constexpr std::array<std::string_view, 3> kFaults = {
        "I2C BUS 1 TIMEOUT, RETRY OK", "ADC CH 22 OUT OF RANGE", "EEPROM PAGE WRITE RETRIED"};
    const std::string clock = ClockText(time);
    return Format("ERR %02d %s AT %s", random.Between(1, 40), Pick(kFaults, random).data(),
                  clock.c_str());
}

std::string CoefText(Random& random) {
    const char axis = "XYZ"[random.Between(0, 2)];
    const std::string gain = Fixed(0.95 + 0.1 * random.Unit(), 4);
    return Format("COEF MAG %c GAIN=%s OFFSET=%+d", axis, gain.c_str(), random.Between(-40, 40));
}

std::string WodFormatText() {
    const WodChannelList& wod = WodChannels();
    std::string text = Format("WOD FORMAT V%d EVERY %us:", wod[0], kWodGatherSeconds);
    for (int slot = 1; slot <= kWodSlotCount; ++slot) {
        text += Format(slot == 1 ? " %d" : ",%d", wod[slot]);
    }
    return text;
}

std::string TextFor(std::uint8_t type, std::uint32_t time, const SpacecraftState& state,
                    Random& random) {
    switch (type) {
        case kTimeType:
            return ClockText(time);
        case kBcrType:
            return BcrText(state);
        case kMessageType:
            return MessageText(random);
        case kErrType:
            return ErrText(time, random);
        case kCoefType:
            return CoefText(random);
        case kWodFormatType:
            return WodFormatText();
        case kTlmControlType:
            return Format("TLM CONTROL: TLM 4s, HK 20s, TX MODE %d", state.txMode);
        default:
            return InfText(random);
    }
}

}  // namespace

std::string ClockText(std::uint32_t time) {
    const CivilDate date = DateOfDay(time / 86400);
    const std::uint32_t second = time % 86400;
    return Format("%02u:%02u:%02u %02d/%02d/%04d", second / 3600, second / 60 % 60, second % 60,
                  date.day, date.month, date.year);
}

bool BuildTextFrame(SynthFrame& frame, std::uint32_t sequence, std::uint8_t type,
                    std::uint32_t time, const SpacecraftState& state, Random& random) {
    FrameBuilder builder(frame, type, sequence);
    const std::string text = TextFor(type, time, state, random);
    // On the air a line break is CR LF; the station's reader keeps only the
    // CR, so that is what the frame holds, and the writer puts the LF back.
    std::string stored;
    for (const char c : text) {
        if (c != '\n') {
            stored += c;
        }
    }
    builder.Append(stored);
    frame.crLfLineBreaks = stored.size() != text.size();
    return builder.Finish();
}

}  // namespace orvex::synth
