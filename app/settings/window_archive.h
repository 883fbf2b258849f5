#pragma once

#include <memory>
#include <optional>
#include <string>

#include "app/settings/archive_choice.h"
#include "archive/archive_database.h"
#include "archive/archive_target.h"

namespace orvex {

// The archive the window adds its loads to while Settings > Archive is on:
// opened when the setting is made and, until it opens, tried again before
// each load, so that a folder made or a server started later is found.
class WindowArchive {
public:
    WindowArchive();
    ~WindowArchive();
    WindowArchive(const WindowArchive&) = delete;
    WindowArchive& operator=(const WindowArchive&) = delete;

    const ArchiveChoice& Choice() const { return choice_; }
    // Takes the new setting and opens its archive; why it cannot be opened.
    std::optional<std::string> Apply(const ArchiveChoice& choice);
    // Opens the archive if it is on and not open yet; why it cannot be.
    std::optional<std::string> Prepare();

    // Where loads are added to; null while the archive is off or not open.
    ArchiveTarget* Target() { return target_.get(); }
    // The archive to chart from; null likewise.
    ArchiveDatabase* Database() { return target_ ? database_.get() : nullptr; }
    std::string Shown() const { return choice_.Location().Shown(); }

private:
    void Close();

    ArchiveChoice choice_;
    std::unique_ptr<ArchiveDatabase> database_;
    std::unique_ptr<ArchiveTarget> target_;
};

}  // namespace orvex
