// Where the archive lives, as the user names it: a file, libpq's parameters
// after "postgresql:", or a URI as libpq takes it; shown back without a
// password.
#include <gtest/gtest.h>

#include "archive/archive_location.h"

namespace orvex::test {
namespace {

TEST(ArchiveLocation, UrisAndParametersNamePostgresAndAnythingElseAFile) {
    const auto postgres = [](const std::string& text, const std::string& target) {
        const ArchiveLocation location = ParseArchiveLocation(text);
        EXPECT_EQ(location.engine, ArchiveLocation::Engine::Postgres) << text;
        EXPECT_EQ(location.target, target) << text;
    };
    postgres("postgresql:host=db dbname=orvex", "host=db dbname=orvex");
    postgres("postgresql://ann@db/orvex", "postgresql://ann@db/orvex");
    postgres("postgres://ann@db:5433/orvex?sslmode=require",
             "postgres://ann@db:5433/orvex?sslmode=require");
    // As the window's dialog writes a URI typed into its connection field.
    postgres("postgresql:postgres://ann@db/orvex", "postgres://ann@db/orvex");

    for (const std::string file : {"archive.sqlite", "/data/postgres/archive.sqlite", "postgres"}) {
        EXPECT_EQ(ParseArchiveLocation(file).engine, ArchiveLocation::Engine::Sqlite) << file;
        EXPECT_EQ(ParseArchiveLocation(file).target, file);
    }
}

TEST(ArchiveLocation, IsShownAsWrittenUnlessItHoldsAPassword) {
    const auto shown = [](const std::string& text) { return ParseArchiveLocation(text).Shown(); };
    EXPECT_EQ(shown("/home/ann/archive.sqlite"), "/home/ann/archive.sqlite");
    EXPECT_EQ(shown("postgresql:host=db dbname=orvex"), "postgresql:host=db dbname=orvex");
    EXPECT_EQ(shown("postgresql://ann@db/orvex"), "postgresql://ann@db/orvex");
    EXPECT_EQ(shown("postgresql:host=db password=s3cret dbname=orvex"),
              "postgresql:password=*** dbname=orvex host=db");
    EXPECT_EQ(shown("postgresql://ann:s3cret@db/orvex"),
              "postgresql:user=ann password=*** dbname=orvex host=db");
    EXPECT_EQ(shown("postgresql:host=db password='s3cret dbname=orvex"),
              "postgresql:(connection string not shown)");
}

}  // namespace
}  // namespace orvex::test
