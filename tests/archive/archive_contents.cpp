#include "tests/archive/archive_contents.h"

#include <gtest/gtest.h>

#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>

#include <algorithm>
#include <map>

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
    std::map<std::int64_t, std::size_t> frameAt;
    QSqlQuery query(database.Connection());
    EXPECT_TRUE(query.exec(QStringLiteral("SELECT frame_id, bytes, %1, own_time FROM frames "
                                          "ORDER BY frame_id")
                               .arg(database.Dialect().Seconds(QStringLiteral("time_utc")))))
        << query.lastError().text().toStdString();
    while (query.next()) {
        frameAt[query.value(0).toLongLong()] = contents.frames.size();
        const QByteArray bytes = query.value(1).toByteArray();
        ArchiveContents::StoredFrame frame{bytes.toStdString(), std::nullopt,
                                           query.value(3).toBool()};
        if (!query.value(2).isNull()) {
            frame.time = static_cast<std::uint32_t>(query.value(2).toLongLong());
        }
        contents.frames.push_back(frame);
    }
    EXPECT_TRUE(
        query.exec(QStringLiteral("SELECT station, log_path, byte_offset, frame_id FROM "
                                  "receptions ORDER BY log_id, byte_offset, frame_id")))
        << query.lastError().text().toStdString();
    while (query.next()) {
        contents.hearings.push_back({query.value(0).toString().toStdString(),
                                     query.value(1).toString().toStdString(),
                                     static_cast<std::uint64_t>(query.value(2).toLongLong()),
                                     frameAt.at(query.value(3).toLongLong())});
    }
    return contents;
}

}  // namespace orvex::test
