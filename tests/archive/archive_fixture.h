#pragma once

#include <gtest/gtest.h>

#include <QLocale>
#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>

#include <memory>
#include <string>

#include "archive/archive_database.h"
#include "archive/archive_target.h"
#include "kiss/load_pacing.h"
#include "kiss/log_source.h"
#include "load/log_load.h"
#include "tests/archive/archive_contents.h"
#include "tests/archive/archive_engine.h"
#include "tests/support/temp_folder.h"
#include "text/locale_format.h"

namespace orvex::test {

inline std::string EngineName(const ::testing::TestParamInfo<Engine>& info) {
    return info.param == Engine::Sqlite ? "Sqlite" : "Postgres";
}

// Stops a load once it has decoded `frames` frames.
class StopAfter : public FrameHandler, public LoadFollower {
public:
    explicit StopAfter(std::uint64_t frames) : frames_(frames) {}
    void OnFrameRead(const Frame& /*frame*/, FrameOutcome outcome) override {
        seen_ += outcome == FrameOutcome::Decoded ? 1 : 0;
    }
    bool StopRequested() const override { return seen_ >= frames_; }
    void OnSlice() override {}

private:
    std::uint64_t frames_;
    std::uint64_t seen_ = 0;
};

// An empty archive on the engine of the test's parameter, and loads of logs
// into it as a station's: the same tests run on SQLite and on PostgreSQL.
class ArchiveTest : public ::testing::TestWithParam<Engine> {
protected:
    void SetUp() override {
        if (const std::string why = WhyNotOn(GetParam()); !why.empty()) {
            GTEST_SKIP() << why;
        }
        location = NewArchive(GetParam(), folder);
        database = OpenDatabase();
    }

    std::unique_ptr<ArchiveDatabase> OpenDatabase() const {
        auto opened = std::make_unique<ArchiveDatabase>(ParseArchiveLocation(location));
        EXPECT_TRUE(opened->Open()) << opened->LastError();
        return opened;
    }

    // Loads `bytes` as the log `name` heard by `station`, with no other
    // output, as a program run of its own; `stop` may stop it.
    LoadOutcome Archive(const std::string& bytes, const std::string& name = "pass.kss",
                        const std::string& station = "north", StopAfter* stop = nullptr) {
        ArchiveTarget target{*database, station};
        return ArchiveIn(target, bytes, name, stop);
    }

    // Loads `bytes` as the log `name` in the program run that `target` is.
    LoadOutcome ArchiveIn(ArchiveTarget& target, const std::string& bytes,
                          const std::string& name = "pass.kss", StopAfter* stop = nullptr) {
        return ArchiveAt(target, folder.Write(name, bytes), bytes, stop);
    }

    // Loads `bytes` as the log at `path`, which is left as it is.
    LoadOutcome ArchiveAt(ArchiveTarget& target, const std::string& path, const std::string& bytes,
                          StopAfter* stop = nullptr) {
        const LoadContext context(format, options, &target);
        Frame frame;
        LogLoad load(path, context, frame);
        MemoryLogSource source(bytes);
        UnfollowedLoad unfollowed;
        if (stop != nullptr) {
            load.AddFrameHandler(*stop);
        }
        LoadPacing pacing(stop != nullptr ? static_cast<LoadFollower&>(*stop) : unfollowed);
        return load.Run(source, FileIdentity{}, &pacing);
    }

    // The one value a query returns.
    QVariant Value(const QString& sql) const {
        QSqlQuery query(database->Connection());
        EXPECT_TRUE(query.exec(sql))
            << sql.toStdString() << ": " << query.lastError().text().toStdString();
        EXPECT_TRUE(query.next()) << sql.toStdString();
        return query.value(0);
    }
    std::int64_t Number(const QString& sql) const { return Value(sql).toLongLong(); }
    ArchiveContents Contents() const { return ReadArchiveContents(*database); }
    std::int64_t Rows(const char* table) const {
        return Number(QStringLiteral("SELECT COUNT(*) FROM ") + QLatin1String(table));
    }

    TempFolder folder;
    std::string location;
    std::unique_ptr<ArchiveDatabase> database;
    LocaleFormat format{QLocale(QStringLiteral("en_GB"))};
    OutputOptions options{.writeReport = false, .writeWodExport = false, .dataExport = {}};
};

}  // namespace orvex::test
