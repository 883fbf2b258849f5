#include "tools/synth/synth_options.h"

#include <charconv>
#include <limits>
#include <ostream>

namespace orvex::synth {
namespace {

template <class Number>
std::optional<Number> ParseNumber(std::string_view text) {
    Number value{};
    const auto [end, failure] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (failure != std::errc{} || end != text.data() + text.size() || text.empty()) {
        return std::nullopt;
    }
    return value;
}

template <class Target, class Value>
bool Assign(Target& target, const std::optional<Value>& value) {
    if (value) {
        target = *value;
    }
    return value.has_value();
}

// Applies one option with its value: whether the value was valid, nothing
// when there is no such option.
std::optional<bool> ApplyOption(std::string_view name, std::string_view value,
                                SynthOptions& options) {
    if (name == "--seed") {
        return Assign(options.seed, ParseNumber<std::uint64_t>(value));
    }
    if (name == "--size") {
        return Assign(options.bytes, ParseSize(value));
    }
    if (name == "--frames") {
        return Assign(options.frames, ParseNumber<std::uint64_t>(value));
    }
    if (name == "--passes") {
        return Assign(options.passes, ParseNumber<std::uint64_t>(value));
    }
    if (name == "--mix") {
        return Assign(options.mix, FrameMix::Parse(value));
    }
    if (name == "--start") {
        return Assign(options.start, ParseNumber<std::uint32_t>(value));
    }
    if (name == "-o") {
        options.output = value == "-" ? "" : std::string(value);
        return !value.empty();
    }
    return std::nullopt;
}

}  // namespace

std::optional<std::uint64_t> ParseSize(std::string_view text) {
    std::uint64_t unit = 1;
    if (!text.empty()) {
        switch (text.back()) {
            case 'K':
            case 'k':
                unit = 1ULL << 10;
                break;
            case 'M':
            case 'm':
                unit = 1ULL << 20;
                break;
            case 'G':
            case 'g':
                unit = 1ULL << 30;
                break;
            default:
                break;
        }
    }
    if (unit != 1) {
        text.remove_suffix(1);
    }
    const auto count = ParseNumber<std::uint64_t>(text);
    if (!count || *count > std::numeric_limits<std::uint64_t>::max() / unit) {
        return std::nullopt;
    }
    return *count * unit;
}

ParseOutcome ParseSynthOptions(const std::vector<std::string>& args, SynthOptions& options,
                               std::string& error) {
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& name = args[i];
        if (name == "--help" || name == "-h") {
            return ParseOutcome::Help;
        }
        if (name == "--version") {
            return ParseOutcome::Version;
        }
        const bool hasValue = i + 1 < args.size();
        const std::string value = hasValue ? args[++i] : "";
        const std::optional<bool> valid = ApplyOption(name, value, options);
        if (!valid) {
            error = "unknown option " + name;
            return ParseOutcome::Error;
        }
        if (!hasValue || !*valid) {
            error = hasValue ? "invalid value for " + name + ": " + value : name + " needs a value";
            return ParseOutcome::Error;
        }
    }
    return ParseOutcome::Run;
}

void PrintSynthUsage(std::ostream& out) {
    out << "Usage: orvex-synth [OPTION]...\n"
        << "Writes a realistic KISS log of the Orvex satellite as a ground station records\n"
        << "it: passes of a few minutes about an orbit apart, every frame type, telemetry\n"
        << "that follows the orbit. The same options always give the same bytes.\n\n"
        << "  --seed N         seed of the log (default 1)\n"
        << "  --size BYTES     stop once the log holds BYTES; suffixes K, M, G (1024-based)\n"
        << "  --frames N       stop after N frames\n"
        << "  --passes N       stop after N passes (the default, with no limit, is 1)\n"
        << "  --mix MIX        realistic (default), or a comma-separated list of\n"
        << "                   tlm, wod, hws, sws, topr, time, text\n"
        << "  --start SECONDS  start of the first pass, seconds since 1970 (default "
        << kDefaultStart << ",\n"
        << "                   2026-03-01 12:00:00 UTC)\n"
        << "  -o FILE          write to FILE instead of standard output\n"
        << "  --help           show this help and exit\n"
        << "  --version        show the version and exit\n";
}

}  // namespace orvex::synth
