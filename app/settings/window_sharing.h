#pragma once

#include <QCoreApplication>
#include <QString>

#include <memory>
#include <optional>

#include "app/settings/share_choice.h"
#include "app/settings/station_choice.h"
#include "load/load_outcome.h"

namespace orvex {

class FrameHandler;
class FrameSharer;
class ShareFeed;

// The sharing of the window's frames while Settings > Share Frames is on:
// one sharer, on a thread of its own, for every log opened and every stream
// followed, started when the settings are made and at the window's start,
// so that what waits from an earlier run is sent too.
class WindowSharing {
    Q_DECLARE_TR_FUNCTIONS(orvex::WindowSharing)

public:
    WindowSharing();
    ~WindowSharing();
    WindowSharing(const WindowSharing&) = delete;
    WindowSharing& operator=(const WindowSharing&) = delete;

    // Takes the settings and starts or stops sharing; why frames cannot be
    // shared while it is on.
    std::optional<QString> Apply(const ShareChoice& share, const StationChoice& station);

    // Null while sharing is off or cannot be.
    FrameSharer* Sharer() { return sharer_.get(); }
    // What every load of the window hands its frames to; null likewise.
    FrameHandler* Feed();
    // What the loads handed on since the last call: the load that just
    // ended's. Nothing while sharing is off.
    std::optional<SharedFrames> TakeLoadCounts();

private:
    std::unique_ptr<FrameSharer> sharer_;
    std::unique_ptr<ShareFeed> feed_;
    SharedFrames counted_;  // the feed's counts at the last call
};

}  // namespace orvex
