#pragma once

#include <QByteArray>

#include <array>
#include <string_view>

namespace orvex {

// A frame's identity in the archive: the XXH3 128-bit hash of its bytes.
// Every hearing of the same bytes finds the same frame, and a stored frame
// whose bytes no longer give it has been damaged.
struct FrameDigest {
    std::array<unsigned char, 16> bytes{};

    static FrameDigest Of(std::string_view frameBytes);
    // The digest as the archive stores it; false when `stored` is not one.
    static bool Read(const QByteArray& stored, FrameDigest& digest);
    QByteArray Stored() const;
    bool operator==(const FrameDigest&) const = default;
};

}  // namespace orvex
