#pragma once

#include <optional>
#include <string>
#include <vector>

namespace orvex {

// One setting of a PostgreSQL connection: "host", "db.club.org".
struct PostgresParameter {
    std::string keyword;
    std::string value;
};
using PostgresParameters = std::vector<PostgresParameter>;

// The settings of a connection string, "key=value ..." or a postgresql://
// URI, as libpq itself reads them. Nothing, with libpq's reason, when it
// cannot read them; the reason is left out when it might quote a password.
std::optional<PostgresParameters> ReadPostgresParameters(const std::string& connection,
                                                         std::string& problem);

// The settings as "key=value" pairs, quoted where libpq needs it, in their
// order; the password among them as "password=***".
std::string ShownParameters(const PostgresParameters& parameters);

// Whether the connection string may hold a password: one given with its
// keyword, or in a URI's user part.
bool MayHoldPassword(const std::string& connection);

}  // namespace orvex
