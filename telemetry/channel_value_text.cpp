#include "telemetry/channel_value_text.h"

#include "text/digits.h"
#include "text/locale_format.h"

namespace orvex {

void AppendChannelValue(std::string& out, const LocaleFormat& format, const Channel& channel,
                        double value) {
    switch (channel.form.kind) {
        case ValueForm::Kind::Fixed:
            format.AppendFixed(out, value, channel.form.decimals);
            break;
        case ValueForm::Kind::Eclipse:
            if (value == 0) {
                out += "NO [0]";
            } else {
                out += "YES [";
                AppendDecimal(out, static_cast<std::int64_t>(value));
                out += ']';
            }
            break;
        case ValueForm::Kind::Whole:
            AppendDecimal(out, static_cast<std::int64_t>(value));
            break;
    }
}

}  // namespace orvex
