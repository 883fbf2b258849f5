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
#include "kiss/log_source.h"
#include "load/log_load.h"
#include "tests/archive/archive_contents.h"
#include "tests/support/postgres_cluster.h"
#include "tests/support/temp_folder.h"
#include "text/locale_format.h"

namespace orvex::test {

enum class Engine { Sqlite, Postgres };

inline void PrintTo(Engine engine, std::ostream* out) {
    *out << (engine == Engine::Sqlite ? "SQLite" : "PostgreSQL");
}

inline std::string EngineName(const ::testing::TestParamInfo<Engine>& info) {
    return info.param == Engine::Sqlite ? "Sqlite" : "Postgres";
}

// An empty archive on the engine of the test's parameter, and loads of logs
// into it as a station's: the same tests run on SQLite and on PostgreSQL.
class ArchiveTest : public ::testing::TestWithParam<Engine> {
protected:
    void SetUp() override {
        if (GetParam() == Engine::Postgres) {
            PostgresCluster& cluster = PostgresCluster::Shared();
            if (!cluster.Unavailable().empty()) {
                GTEST_SKIP() << "No PostgreSQL to test on: " << cluster.Unavailable();
            }
            location = cluster.NewDatabase();
        } else {
            location = folder / "archive.sqlite";
        }
        database = OpenDatabase();
    }

    std::unique_ptr<ArchiveDatabase> OpenDatabase() const {
        auto opened = std::make_unique<ArchiveDatabase>(ParseArchiveLocation(location));
        EXPECT_TRUE(opened->Open()) << opened->LastError();
        return opened;
    }

    // Loads `bytes` as the log `name` heard by `station`, with no other
    // output, as a program run of its own; `progress` may stop it.
    LoadOutcome Archive(const std::string& bytes, const std::string& name = "pass.kss",
                        const std::string& station = "north", LoadProgress* progress = nullptr) {
        ArchiveTarget target{*database, station};
        return ArchiveIn(target, bytes, name, progress);
    }

    // Loads `bytes` as the log `name` in the program run that `target` is.
    LoadOutcome ArchiveIn(ArchiveTarget& target, const std::string& bytes,
                          const std::string& name = "pass.kss", LoadProgress* progress = nullptr) {
        return ArchiveAt(target, folder.Write(name, bytes), bytes, progress);
    }

    // Loads `bytes` as the log at `path`, which is left as it is.
    LoadOutcome ArchiveAt(ArchiveTarget& target, const std::string& path, const std::string& bytes,
                          LoadProgress* progress = nullptr) {
        const LoadContext context(format, options, &target);
        Frame frame;
        LogLoad load(path, context, frame);
        MemoryLogSource source(bytes);
        return load.Run(source, FileIdentity{}, progress);
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
