// The recorded log's name and place, and that it never replaces a file.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>

#include "live/recording.h"
#include "tests/support/temp_folder.h"

namespace orvex::test {
namespace {

// 2026-12-07 16:05:12 UTC
constexpr std::time_t kBegan = 1796659512;

TEST(Recording, IsNamedByTheUtcSecondTheStreamBeganAndNeverReplacesARecording) {
    TempFolder folder;
    EXPECT_EQ(Recording::NameFor(kBegan), "orvex-20261207-160512.kss");
    folder.Write("orvex-20261207-160512.kss", "earlier");

    Recording second;
    ASSERT_EQ(second.CreateIn(folder.Path(), kBegan), 0);
    Recording third;
    ASSERT_EQ(third.CreateIn(folder.Path(), kBegan), 0);

    EXPECT_EQ(second.Path(), folder / "orvex-20261207-160512-2.kss");
    EXPECT_EQ(third.Path(), folder / "orvex-20261207-160512-3.kss");
    EXPECT_EQ(ReadFile(folder / "orvex-20261207-160512.kss"), "earlier");
}

TEST(Recording, WritesEveryBlockThroughAtOnce) {
    TempFolder folder;
    Recording recording;
    ASSERT_EQ(recording.Create(folder / "pass.kss"), 0);
    const std::uint8_t bytes[] = {0xC0, 0x00, 0x41, 0xC0};
    recording.Append(bytes, 3);
    EXPECT_EQ(ReadFile(folder / "pass.kss"), std::string("\xC0\x00\x41", 3));
    recording.Append(bytes + 3, 1);
    EXPECT_EQ(recording.BytesRecorded(), 4U);
    EXPECT_EQ(recording.Error(), 0);
}

TEST(Recording, AGivenNameIsMadeAbsoluteAndAnExistingFileIsRefused) {
    TempFolder folder;
    folder.Write("kept.kss", "earlier");
    char* working = ::getcwd(nullptr, 0);
    ASSERT_EQ(::chdir(folder.Path().c_str()), 0);

    Recording fresh;
    const int created = fresh.Create("fresh.kss");
    Recording existing;
    const int refused = existing.Create("kept.kss");
    Recording nowhere;
    const int missing = nowhere.CreateIn("no-such-folder", kBegan);

    ASSERT_EQ(::chdir(working), 0);
    std::free(working);
    EXPECT_EQ(created, 0);
    EXPECT_EQ(fresh.Path(), folder / "fresh.kss");
    EXPECT_EQ(refused, EEXIST);
    EXPECT_EQ(ReadFile(folder / "kept.kss"), "earlier");
    EXPECT_EQ(missing, ENOENT);
}

}  // namespace
}  // namespace orvex::test
