#include "tests/archive/archive_contents.h"

#include <gtest/gtest.h>

#include <QSqlQuery>
#include <QVariant>

#include <map>

#include "archive/frame_block.h"

namespace orvex::test {

std::size_t ArchiveContents::FramesHeard(std::size_t count) const {
    std::vector<std::size_t> heard(frames.size());
    for (const Heard& hearing : hearings) {
        ++heard[hearing.frame];
    }
    return static_cast<std::size_t>(std::count(heard.begin(), heard.end(), count));
}

ArchiveContents ReadArchiveContents(ArchiveDatabase& database) {
    ArchiveContents contents;
    std::map<std::int64_t, std::size_t> firstFrameOfBlock;
    QSqlQuery query(database.Connection());
    EXPECT_TRUE(query.exec(QStringLiteral(
        "SELECT b.id, l.station, b.frames, b.hearings, b.frame_count, b.hearing_count "
        "FROM blocks b JOIN logs l ON l.id = b.log_id ORDER BY b.id")));
    while (query.next()) {
        const std::int64_t block = query.value(0).toLongLong();
        const std::string station = query.value(1).toString().toStdString();
        firstFrameOfBlock[block] = contents.frames.size();
        EXPECT_TRUE(ForEachStoredFrame(query.value(2).toByteArray(), [&](const StoredFrame& frame) {
            contents.frames.push_back({std::string(frame.bytes), frame.time, frame.timeExact});
        }));
        EXPECT_EQ(contents.frames.size() - firstFrameOfBlock[block], query.value(4).toUInt());
        const std::size_t hearingsBefore = contents.hearings.size();
        EXPECT_TRUE(ForEachHearing(query.value(3).toByteArray(), [&](const Hearing& hearing) {
            const std::int64_t holder = hearing.frame.block == 0 ? block : hearing.frame.block;
            contents.hearings.push_back(
                {station, hearing.offset, firstFrameOfBlock.at(holder) + hearing.frame.index});
        }));
        EXPECT_EQ(contents.hearings.size() - hearingsBefore, query.value(5).toUInt());
    }
    return contents;
}

}  // namespace orvex::test
