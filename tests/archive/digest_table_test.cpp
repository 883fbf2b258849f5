// The writer's table of frames it knows: every digest found again with its
// number, however the table grew, and digests that agree in their leading
// bytes told apart.
#include <gtest/gtest.h>

#include <string>

#include "archive/digest_table.h"

namespace orvex::test {
namespace {

FrameDigest DigestOf(int frame) {
    return FrameDigest::Of("frame " + std::to_string(frame));
}

// A digest whose first bytes are `leading`'s and whose rest is `rest`.
FrameDigest WithLeadingOf(const FrameDigest& leading, unsigned char rest) {
    FrameDigest digest = leading;
    for (std::size_t at = 4; at < digest.bytes.size(); ++at) {
        digest.bytes[at] = rest;
    }
    return digest;
}

TEST(DigestTable, EveryDigestIsFoundWithItsNumberAfterTheTableGrew) {
    DigestTable table;
    constexpr int kFrames = 100000;  // the table doubles several times
    for (int frame = 0; frame < kFrames; ++frame) {
        ASSERT_TRUE(table.FindOrAdd(DigestOf(frame), frame + 1).isNew) << frame;
    }
    EXPECT_EQ(table.Size(), static_cast<std::size_t>(kFrames));
    for (int frame = 0; frame < kFrames; ++frame) {
        const FrameLookup found = table.FindOrAdd(DigestOf(frame), 999999);
        ASSERT_FALSE(found.isNew) << frame;
        EXPECT_EQ(found.id, frame + 1) << frame;
    }
    EXPECT_EQ(table.Size(), static_cast<std::size_t>(kFrames));
}

TEST(DigestTable, DigestsThatShareTheirLeadingBytesAreToldApart) {
    DigestTable table;
    const FrameDigest common = DigestOf(7);
    for (unsigned char rest = 0; rest < 40; ++rest) {
        ASSERT_TRUE(table.FindOrAdd(WithLeadingOf(common, rest), rest).isNew) << int{rest};
    }
    for (unsigned char rest = 0; rest < 40; ++rest) {
        const FrameLookup found = table.FindOrAdd(WithLeadingOf(common, rest), 1000);
        EXPECT_FALSE(found.isNew);
        EXPECT_EQ(found.id, rest);
    }
}

// The last slots' neighbours are the first ones.
TEST(DigestTable, DigestsAtTheEndOfTheTableWrapAroundToItsStart) {
    DigestTable table;
    FrameDigest last;
    last.bytes.fill(0xFF);
    for (unsigned char rest = 0; rest < 10; ++rest) {
        table.FindOrAdd(WithLeadingOf(last, rest), rest);
    }
    for (unsigned char rest = 0; rest < 10; ++rest) {
        EXPECT_EQ(table.FindOrAdd(WithLeadingOf(last, rest), 1000).id, rest);
    }
    EXPECT_EQ(table.Size(), 10U);
}

}  // namespace
}  // namespace orvex::test
