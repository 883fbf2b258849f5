#include "archive/archive_location.h"

#include <QStandardPaths>
#include <QString>

namespace orvex {

std::string ArchiveLocation::Shown() const {
    return engine == Engine::Postgres ? kPostgresPrefix + target : target;
}

ArchiveLocation ParseArchiveLocation(const std::string& text) {
    const std::string prefix = kPostgresPrefix;
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
