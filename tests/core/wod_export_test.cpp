#include "telemetry/wod_rows.h"
#include "tests/support/load_fixture.h"

namespace orvex {
namespace {

using test::KissFrame;
using test::WodBody;
using test::WodSampleBytes;

constexpr char kExportHeader[] =
    "Time;10 Volts Bus   ;TEPR State     ;X- Array Cur   ;X+ Array Cur   ;Y- Array Cur   ;"
    "Y+ Array Cur   ;Z- Array Cur   ;Z+ Array Cur   ;Solar Array    ;Batt #5 Temp   ;\r\n";
constexpr char kAllZeroRow[] = "00:00:00;8.17;0.00;2.54;3.88;1.95;0.84;-5.17;3.72;7.97;145.08;";
constexpr std::uint32_t kAfternoon = 1796652185;  // 2026-12-07 14:03:05 UTC

WodSampleBytes Sample(std::uint32_t time, std::uint8_t everySlot, std::uint8_t extra = 0) {
    WodSampleBytes sample;
    sample.timestamp = time;
    sample.extra = extra;
    sample.raw.fill(everySlot);
    return sample;
}

class WodFrames : public test::LoadFixture {};

TEST_F(WodFrames, AllZeroSamplesGiveThreeEqualRowsAndOneExportLine) {
    Load(KissFrame(8, WodBody(Sample(0, 0), Sample(0, 0), Sample(0, 0))));
    EXPECT_EQ(session.CurrentLoad()->WodRows().Count(), 1u);  // after the export's de-duplication
    EXPECT_EQ(Export(), std::string(kExportHeader) + kAllZeroRow + "\r\n");
    const std::string line = "[WOD] 01/01/1970  [00]  00 00 00 00 00 00 00 00 00 00 \r\n";
    EXPECT_EQ(ReportBody(), line + line + line + "\r\n");
}

TEST_F(WodFrames, RawHundredInEverySlot) {
    Load(KissFrame(8, WodBody(Sample(kAfternoon, 100, 0xAB), Sample(kAfternoon + 1, 100),
                              Sample(kAfternoon + 2, 100))));
    EXPECT_EQ(ExportRows(),
              "14:03:05;10.21;100.00;161.86;161.84;166.79;162.92;137.17;157.91;14.83;53.08;\r\n"
              "14:03:06;10.21;100.00;161.86;161.84;166.79;162.92;137.17;157.91;14.83;53.08;\r\n"
              "14:03:07;10.21;100.00;161.86;161.84;166.79;162.92;137.17;157.91;14.83;53.08;\r\n");
    const std::string line = "[WOD] 07/12/2026 14:03:05  [AB]  64 64 64 64 64 64 64 64 64 64 \r\n";
    EXPECT_EQ(ReportBody().substr(0, line.size()), line);
}

TEST_F(WodFrames, SlotsOfSingleValues) {
    WodSampleBytes sample = Sample(0, 0);
    sample.raw[1] = 7;
    sample.raw[9] = 255;
    Load(KissFrame(8, WodBody(sample, sample, sample)));
    EXPECT_EQ(ExportRows(), "00:00:00;8.17;7.00;2.54;3.88;1.95;0.84;-5.17;3.72;7.97;-89.52;\r\n");
}

TEST_F(WodFrames, RowsInOrdinalTextOrderWithRepeatsRemoved) {
    // Same time: "10.21" sorts before "8.17" by its characters.
    const std::string frame =
        KissFrame(8, WodBody(Sample(kAfternoon, 0), Sample(kAfternoon, 100), Sample(60, 0)));
    const LoadOutcome outcome = Load(frame + frame);
    EXPECT_EQ(outcome.wodRows, 6u);
    EXPECT_EQ(outcome.wodRowsExported, 3u);
    EXPECT_EQ(ExportRows(),
              "00:01:00;8.17;0.00;2.54;3.88;1.95;0.84;-5.17;3.72;7.97;145.08;\r\n"
              "14:03:05;10.21;100.00;161.86;161.84;166.79;162.92;137.17;157.91;14.83;53.08;\r\n"
              "14:03:05;8.17;0.00;2.54;3.88;1.95;0.84;-5.17;3.72;7.97;145.08;\r\n");
}

TEST_F(WodFrames, WithoutExportTheListKeepsItsRepeats) {
    options.writeWodExport = false;
    const std::string frame = KissFrame(8, WodBody(Sample(5, 1), Sample(5, 1), Sample(4, 1)));
    Load(frame);
    EXPECT_FALSE(test::FileExists(folder / "orbit.csv"));
    EXPECT_EQ(session.CurrentLoad()->WodRows().Items().size(), 3u);
    EXPECT_EQ(session.CurrentLoad()->WodRows().Items()[0].substr(0, 9), "00:00:04;");
}

TEST_F(WodFrames, LogWithoutWodFramesExportsTheHeaderAlone) {
    Load(KissFrame(1, "no WOD"));
    EXPECT_EQ(Export(), kExportHeader);
}

TEST_F(WodFrames, ExportReplacesTheEarlierOne) {
    Load(KissFrame(8, WodBody(Sample(1, 1), Sample(1, 1), Sample(1, 1))));
    Load(KissFrame(1, "none"));
    EXPECT_EQ(Export(), kExportHeader);
}

class WodFramesGerman : public test::LoadFixture {
protected:
    WodFramesGerman() : LoadFixture("de_DE") {}
};

TEST_F(WodFramesGerman, DecimalCommaInRows) {
    Load(KissFrame(8, WodBody(Sample(0, 0), Sample(0, 0), Sample(0, 0))));
    EXPECT_EQ(ExportRows(), "00:00:00;8,17;0,00;2,54;3,88;1,95;0,84;-5,17;3,72;7,97;145,08;\r\n");
}

// Rows are compared as keys; their order must be that of their texts, for
// every slot value, in locales with different separators.
TEST(WodRowList, OrderIsTheOrdinalOrderOfTheTexts) {
    for (const char* name : {"en_GB", "de_DE", "fi_FI"}) {
        const LocaleFormat format{QLocale(QString::fromLatin1(name))};
        const WodRowTexts texts(format);
        WodRowList list(texts);
        std::uint32_t state = 12345;
        for (int i = 0; i < 3000; ++i) {
            WodSample sample;
            state = state * 1103515245 + 12345;
            sample.secondOfDay = (state >> 8) % 4;
            for (auto& raw : sample.raw) {
                state = state * 1103515245 + 12345;
                raw = static_cast<std::uint8_t>(state >> 16);
            }
            list.Add(sample);
        }
        const std::vector<std::string> rows = list.Items();
        EXPECT_TRUE(std::is_sorted(rows.begin(), rows.end())) << name;
    }
}

// Beyond its in-memory bound the list sorts runs into temporary files; the
// rows and the de-duplication come out the same.
TEST(WodRowList, RunsOnDiskGiveTheSameRows) {
    const LocaleFormat format{QLocale(QStringLiteral("en_GB"))};
    const WodRowTexts texts(format);
    WodRowList inMemory(texts);
    WodRowList onDisk(texts, 7);
    for (std::uint32_t i = 0; i < 200; ++i) {
        WodSample sample;
        sample.secondOfDay = (i * 7919) % 50;
        sample.raw.fill(static_cast<std::uint8_t>(i % 3));
        inMemory.Add(sample);
        onDisk.Add(sample);
    }
    EXPECT_EQ(onDisk.Items(), inMemory.Items());
    inMemory.RemoveDuplicateItems();
    onDisk.RemoveDuplicateItems();
    EXPECT_EQ(onDisk.Count(), inMemory.Count());
    EXPECT_EQ(onDisk.Items(), inMemory.Items());
    EXPECT_LT(onDisk.Count(), 200u);
}

}  // namespace
}  // namespace orvex
