// The writer's table of frames it knows: every digest found again where it
// was put, however the table grew, and digests that agree in their leading
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

TEST(DigestTable, EveryDigestIsFoundWhereItWasPutAfterTheTableGrew) {
    DigestTable table;
    constexpr int kFrames = 100000;  // the table doubles several times
    for (int frame = 0; frame < kFrames; ++frame) {
        const FrameRef place{frame / 4096 + 1, static_cast<std::uint32_t>(frame % 4096)};
        const DigestTable::Found found = table.FindOrAdd(DigestOf(frame), place);
        ASSERT_TRUE(found.isNew) << frame;
    }
    EXPECT_EQ(table.Size(), static_cast<std::size_t>(kFrames));
    for (int frame = 0; frame < kFrames; ++frame) {
        const DigestTable::Found found = table.FindOrAdd(DigestOf(frame), {999, 0});
        ASSERT_FALSE(found.isNew) << frame;
        EXPECT_EQ(found.where.block, frame / 4096 + 1) << frame;
        EXPECT_EQ(found.where.index, static_cast<std::uint32_t>(frame % 4096)) << frame;
    }
    EXPECT_EQ(table.Size(), static_cast<std::size_t>(kFrames));
}

TEST(DigestTable, PlacesKeepBlocksStillBeingWrittenAndTheLargestIndex) {
    DigestTable table;
    const FrameRef writing{-3, DigestTable::kMaxBlockFrames - 1};
    const FrameRef stored{(std::int64_t{1} << 40) + 5, 0};
    table.FindOrAdd(DigestOf(1), writing);
    table.FindOrAdd(DigestOf(2), stored);

    const FrameRef first = table.FindOrAdd(DigestOf(1), {1, 1}).where;
    const FrameRef second = table.FindOrAdd(DigestOf(2), {1, 1}).where;
    EXPECT_EQ(first.block, writing.block);
    EXPECT_EQ(first.index, writing.index);
    EXPECT_EQ(second.block, stored.block);
    EXPECT_EQ(second.index, stored.index);
}

TEST(DigestTable, DigestsThatShareTheirLeadingBytesAreToldApart) {
    DigestTable table;
    const FrameDigest common = DigestOf(7);
    for (unsigned char rest = 0; rest < 40; ++rest) {
        ASSERT_TRUE(table.FindOrAdd(WithLeadingOf(common, rest), {1, rest}).isNew) << int{rest};
    }
    for (unsigned char rest = 0; rest < 40; ++rest) {
        const DigestTable::Found found = table.FindOrAdd(WithLeadingOf(common, rest), {2, 0});
        EXPECT_FALSE(found.isNew);
        EXPECT_EQ(found.where.index, rest);
    }
}

// The last slots' neighbours are the first ones.
TEST(DigestTable, DigestsAtTheEndOfTheTableWrapAroundToItsStart) {
    DigestTable table;
    FrameDigest last;
    last.bytes.fill(0xFF);
    for (unsigned char rest = 0; rest < 10; ++rest) {
        table.FindOrAdd(WithLeadingOf(last, rest), {1, rest});
    }
    for (unsigned char rest = 0; rest < 10; ++rest) {
        EXPECT_EQ(table.FindOrAdd(WithLeadingOf(last, rest), {2, 0}).where.index, rest);
    }
    EXPECT_EQ(table.Size(), 10U);
}

}  // namespace
}  // namespace orvex::test
