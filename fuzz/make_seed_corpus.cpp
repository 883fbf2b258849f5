// Writes the fuzzers' seed corpus: small logs shaped like real ones, built
// with the tests' log builder, each behind the harnesses' control bytes.
//   make_seed_corpus FOLDER
#include <array>
#include <cstdio>
#include <fstream>
#include <string>
#include <utility>
#include <vector>

#include "tests/support/log_builder.h"

namespace {

using namespace orvex::test;

constexpr std::uint32_t kNoon = 1796644800;  // 2026-12-07 12:00:00 UTC

std::string PatternBody(std::size_t size, std::uint8_t seed) {
    std::string body(size, '\0');
    for (std::size_t i = 0; i < size; ++i) {
        body[i] = static_cast<char>(seed + 37 * i);
    }
    return body;
}

std::string TlmFrames(int count) {
    std::string log;
    for (int i = 0; i < count; ++i) {
        log += KissFrame(2, TlmBody(kNoon + 60 * i, static_cast<std::uint8_t>(i * 5), 12));
    }
    return log;
}

std::string WodFrame(std::uint32_t time, std::uint8_t raw) {
    WodSampleBytes a{time, 0x12, {}}, b{time + 30, 0x34, {}}, c{time + 60, 0x56, {}};
    for (std::size_t j = 0; j < 10; ++j) {
        a.raw[j] = static_cast<std::uint8_t>(raw + j);
        b.raw[j] = static_cast<std::uint8_t>(raw * 3 + j);
        c.raw[j] = static_cast<std::uint8_t>(255 - raw - j);
    }
    return KissFrame(8, WodBody(a, b, c));
}

std::string TextFrames() {
    std::string log;
    for (const std::uint8_t type : {3, 6, 7, 9, 10, 11, 12}) {
        log += KissFrame(type, "Orvex text " + std::to_string(type) + "\r\nsecond line");
    }
    return log;
}

std::string StatusFrames() {
    return KissFrame(4, LittleEndian32(kNoon) + PatternBody(16, 0x20)) +
           KissFrame(5, PatternBody(80, 1)) + KissFrame(13, PatternBody(30, 0));
}

// Escapes everywhere: values C0 and DB in a TLM frame and in a text.
std::string EscapedFrames() {
    std::array<std::uint8_t, 38> raw{};
    raw.fill(0xC0);
    raw[3] = raw[9] = 0xDB;
    return KissFrame(2, TlmBody(0xC0DBC0DB, raw)) + KissFrame(7, "\xC0\xDB\xC0 escaped");
}

std::string FaultyFraming() {
    return Bytes({0xC0, 0xC0}) + Bytes({0xC0, 0x00, 0xC0}) +                    // short
           Bytes({0xC0, 0x00, 0, 0, 0, 0, 1, 0xDB, 0x41, 0xC0}) +               // FESC, no escape
           Bytes({0xC0, 0x00, 0, 0, 0, 0, 1, 0x41, 0xDB, 0xC0}) +               // FESC at the end
           Bytes({0xC0, 0x01, 0, 0, 0, 0, 1, 0x41, 0xC0}) +                     // port 1
           Bytes({0xC0, 0x00, 0, 0, 0, 0, 14, 0x41, 0xC0}) + "noise between" +  // unknown type
           KissFrame(1, "12:00:00") + Bytes({0xC0, 0x00, 0, 0, 0, 0, 1, 0x41, 0xDB});
}

std::vector<std::pair<std::string, std::string>> Seeds() {
    return {
        {"empty", ""},
        {"no-fend", "just some bytes\r\n without any frame delimiter"},
        {"time", KissFrame(1, "12:00:00") + KissFrame(1, "")},
        {"tlm", TlmFrames(3)},
        {"tlm-over-store", TlmFrames(101)},
        {"wod", WodFrame(kNoon, 0) + WodFrame(kNoon, 0) + WodFrame(kNoon + 3600, 100)},
        {"status", StatusFrames()},
        {"text", TextFrames()},
        {"escapes", EscapedFrames()},
        {"crlf", KissFrame(6, "a\r\n\nb\r\rc\n\rd") + "\r\n" + KissFrame(1, "\r\n")},
        {"oversized", KissFrame(9, PatternBody(700, 3)) + KissFrame(1, "after")},
        {"framing", FaultyFraming()},
        {"mixed", KissFrame(1, "00:00:01") + TlmFrames(2) + WodFrame(kNoon, 7) + StatusFrames() +
                      TextFrames() + EscapedFrames()},
    };
}

}  // namespace

int main(int argc, char* argv[]) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s FOLDER\n", argv[0]);
        return 2;
    }
    // The harnesses' two control bytes: plain; switching the report and
    // browsing; switching at every frame, browsing and stopping after frame 3.
    const std::array<std::string, 3> controls = {std::string(2, '\0'), "\x05\x04", "\xFF\x3D"};
    int written = 0;
    for (const auto& [name, log] : Seeds()) {
        for (std::size_t c = 0; c < controls.size(); ++c) {
            const std::string path = std::string(argv[1]) + "/" + name + "-" + std::to_string(c);
            std::ofstream out(path, std::ios::binary);
            out << controls[c] << log;
            if (!out.flush()) {
                std::fprintf(stderr, "cannot write %s\n", path.c_str());
                return 1;
            }
            ++written;
        }
    }
    std::printf("%d seeds in %s\n", written, argv[1]);
    return 0;
}
