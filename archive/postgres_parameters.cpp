#include "archive/postgres_parameters.h"

#include <libpq-fe.h>

#include <memory>

namespace orvex {
namespace {

constexpr char kPasswordKeyword[] = "password";

// libpq's form of a value: bare when it is one plain word, else quoted with
// its quotes and backslashes escaped.
std::string Quoted(const std::string& value) {
    if (!value.empty() && value.find_first_of(" \t\n'\\") == std::string::npos) {
        return value;
    }
    std::string quoted = "'";
    for (const char c : value) {
        if (c == '\'' || c == '\\') {
            quoted.push_back('\\');
        }
        quoted.push_back(c);
    }
    return quoted + "'";
}

bool HasUriPassword(const std::string& connection) {
    const auto scheme = connection.find("://");
    if (scheme == std::string::npos) {
        return false;
    }
    const auto start = scheme + 3;
    const auto at = connection.find('@', start);
    const auto path = connection.find_first_of("/?", start);
    return at != std::string::npos && (path == std::string::npos || at < path) &&
           connection.find(':', start) < at;
}

}  // namespace

bool MayHoldPassword(const std::string& connection) {
    return connection.find(kPasswordKeyword) != std::string::npos || HasUriPassword(connection);
}

std::optional<PostgresParameters> ReadPostgresParameters(const std::string& connection,
                                                         std::string& problem) {
    char* error = nullptr;
    const std::unique_ptr<PQconninfoOption, decltype(&PQconninfoFree)> options(
        PQconninfoParse(connection.c_str(), &error), &PQconninfoFree);
    if (!options) {
        problem = "libpq cannot read the connection string";
        if (error != nullptr && !MayHoldPassword(connection)) {
            std::string reason = error;
            while (!reason.empty() && reason.back() == '\n') {
                reason.pop_back();
            }
            problem += ": " + reason;
        }
        PQfreemem(error);
        return std::nullopt;
    }
    PostgresParameters parameters;
    for (const PQconninfoOption* option = options.get(); option->keyword != nullptr; ++option) {
        if (option->val != nullptr) {
            parameters.push_back({option->keyword, option->val});
        }
    }
    return parameters;
}

std::string ShownParameters(const PostgresParameters& parameters) {
    std::string shown;
    for (const PostgresParameter& parameter : parameters) {
        if (!shown.empty()) {
            shown.push_back(' ');
        }
        const bool secret = parameter.keyword == kPasswordKeyword;
        shown += parameter.keyword + "=" + (secret ? "***" : Quoted(parameter.value));
    }
    return shown;
}

}  // namespace orvex
