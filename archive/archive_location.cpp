#include "archive/archive_location.h"

#include <QStandardPaths>
#include <QString>

#include <array>
#include <string_view>

#include "archive/postgres_parameters.h"

namespace orvex {
namespace {

// The URIs libpq takes whole.
bool IsPostgresUri(std::string_view text) {
    constexpr std::array<std::string_view, 2> kSchemes = {"postgresql://", "postgres://"};
    for (const std::string_view scheme : kSchemes) {
        if (text.substr(0, scheme.size()) == scheme) {
            return true;
        }
    }
    return false;
}

}  // namespace

// A password never reaches a message: the connection string is shown as the
// user wrote it only when it holds none, else as libpq read it, without it.
std::string ArchiveLocation::Shown() const {
    if (engine == Engine::Sqlite) {
        return target;
    }
    const std::string prefix = IsPostgresUri(target) ? "" : kPostgresPrefix;
    if (!MayHoldPassword(target)) {
        return prefix + target;
    }
    std::string problem;
    const auto parameters = ReadPostgresParameters(target, problem);
    return std::string(kPostgresPrefix) +
           (parameters ? ShownParameters(*parameters) : "(connection string not shown)");
}

ArchiveLocation ParseArchiveLocation(const std::string& text) {
    if (IsPostgresUri(text)) {
        return {ArchiveLocation::Engine::Postgres, text};
    }
    const std::string_view prefix = kPostgresPrefix;
    if (text.compare(0, prefix.size(), prefix) == 0) {
        return {ArchiveLocation::Engine::Postgres, text.substr(prefix.size())};
    }
    return {ArchiveLocation::Engine::Sqlite, text};
}

ArchiveLocation DefaultArchiveLocation() {
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    return {ArchiveLocation::Engine::Sqlite,
            (folder + QStringLiteral("/orvex/archive.sqlite")).toLocal8Bit().toStdString()};
}

}  // namespace orvex
