#include "tests/support/log_builder.h"

#include "frames/frame_layout.h"

#include <initializer_list>
#include <utility>

namespace orvex::test {

std::string Bytes(std::initializer_list<int> values) {
    std::string bytes;
    for (const int value : values) {
        bytes += static_cast<char>(value);
    }
    return bytes;
}

std::string KissEscape(std::string_view bytes) {
    std::string out;
    for (const char c : bytes) {
        const auto b = static_cast<std::uint8_t>(c);
        if (b == 0xC0) {
            out += "\xDB\xDC";
        } else if (b == 0xDB) {
            out += "\xDB\xDD";
        } else {
            out += c;
        }
    }
    return out;
}

std::string KissFrame(std::uint8_t type, std::string_view body, std::uint8_t command) {
    std::string unescaped;
    unescaped += static_cast<char>(command);
    unescaped += std::string(4, '\0');
    unescaped += static_cast<char>(type);
    unescaped += body;
    return "\xC0" + KissEscape(unescaped) + "\xC0";
}

std::string TimestampFrame(std::uint64_t milliseconds) {
    std::string time;
    for (int shift = 56; shift >= 0; shift -= 8) {
        time += static_cast<char>(milliseconds >> shift & 0xFF);
    }
    return "\xC0\x09" + KissEscape(time) + "\xC0";
}

std::string LittleEndian32(std::uint32_t value) {
    std::string bytes;
    for (int i = 0; i < 4; ++i) {
        bytes += static_cast<char>(value >> (8 * i) & 0xFF);
    }
    return bytes;
}

std::string TlmBody(std::uint32_t timestamp, const std::array<std::uint8_t, 38>& raw,
                    std::uint8_t version) {
    using namespace layout;
    std::string body(tlm::kLength - kBody, '\0');
    body.replace(tlm::kTime - kBody, 4, LittleEndian32(timestamp));
    for (std::size_t i = 0; i < raw.size(); ++i) {
        body[tlm::ChannelAt(static_cast<int>(i)) - kBody] = static_cast<char>(raw[i]);
    }
    body[tlm::kSoftwareVersion - kBody] = static_cast<char>(version);
    return body;
}

std::string TlmBody(std::uint32_t timestamp, std::uint8_t everyChannel, std::uint8_t version) {
    std::array<std::uint8_t, 38> raw;
    raw.fill(everyChannel);
    return TlmBody(timestamp, raw, version);
}

std::string WodBody(const WodSampleBytes& a, const WodSampleBytes& b, const WodSampleBytes& c) {
    std::string body;
    for (const WodSampleBytes* sample : {&a, &b, &c}) {
        body += LittleEndian32(sample->timestamp);
        body += static_cast<char>(sample->extra);
        for (const std::uint8_t raw : sample->raw) {
            body += static_cast<char>(raw);
        }
    }
    return body;
}

std::string BodyWith(std::size_t size,
                     std::initializer_list<std::pair<std::size_t, std::uint8_t>> at) {
    std::string body(size, '\0');
    for (const auto& [offset, value] : at) {
        body.at(offset - 7) = static_cast<char>(value);
    }
    return body;
}

}  // namespace orvex::test
