#include "app/settings/window_archive.h"

#include <QDir>
#include <QFileInfo>

namespace orvex {

WindowArchive::WindowArchive() = default;

WindowArchive::~WindowArchive() {
    Close();
}

void WindowArchive::Close() {
    target_.reset();
    database_.reset();
}

std::optional<std::string> WindowArchive::Apply(const ArchiveChoice& choice) {
    choice_ = choice;
    Close();
    return Prepare();
}

std::optional<std::string> WindowArchive::Prepare() {
    if (!choice_.enabled || target_) {
        return std::nullopt;
    }
    const ArchiveLocation location = choice_.Location();
    // Only the default file's folder is made, as the command line does: a
    // folder the user named and that is missing is more likely a mistake.
    const ArchiveLocation usual = DefaultArchiveLocation();
    if (location.engine == usual.engine && location.target == usual.target) {
        QDir().mkpath(QFileInfo(QString::fromLocal8Bit(usual.target.c_str())).absolutePath());
    }
    database_ = std::make_unique<ArchiveDatabase>(location);
    if (!database_->Open()) {
        const std::string problem = database_->LastError();
        database_.reset();
        return problem;
    }
    target_ = std::make_unique<ArchiveTarget>(
        ArchiveTarget{*database_, choice_.station.toLocal8Bit().toStdString()});
    return std::nullopt;
}

}  // namespace orvex
