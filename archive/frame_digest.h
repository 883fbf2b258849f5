#pragma once

#include <QByteArray>

#include <array>
#include <cstdint>
#include <string_view>

namespace orvex {

// A frame's identity in the archive: the XXH3 128-bit hash of its bytes.
// Every hearing of the same bytes finds the same frame, and a stored frame
// whose bytes no longer give it has been damaged.
struct FrameDigest {
    std::array<unsigned char, 16> bytes{};

    static FrameDigest Of(std::string_view frameBytes);
    // Its first 32 bits, which the archive stores beside the bytes: enough to
    // find damage, where the whole digest would have made each frame's row
    // 16 bytes longer. The digest itself is taken again from the bytes.
    std::int32_t Check() const;
    // The digest as version 4 of the archive stored it; false when `stored`
    // is not one.
    static bool Read(const QByteArray& stored, FrameDigest& digest);
    bool operator==(const FrameDigest&) const = default;
};

}  // namespace orvex
