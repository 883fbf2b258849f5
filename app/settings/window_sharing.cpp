#include "app/settings/window_sharing.h"

#include "share/frame_sharer.h"
#include "share/share_feed.h"
#include "share/share_queue.h"

namespace orvex {

WindowSharing::WindowSharing() = default;

WindowSharing::~WindowSharing() = default;

std::optional<QString> WindowSharing::Apply(const ShareChoice& share,
                                            const StationChoice& station) {
    // What waits stays in the queue for the new sharer.
    feed_.reset();
    sharer_.reset();
    counted_ = {};
    if (!share.enabled || share.servers.isEmpty()) {
        return std::nullopt;
    }
    const std::optional<Station> sharedStation = station.ToStation();
    if (!sharedStation) {
        return tr(
            "Frames are not shared: give the satellite's NORAD number, the callsign and "
            "the location under Settings > Station.");
    }
    ShareSettings settings{{}, *sharedStation, DefaultShareQueuePath()};
    for (const QString& server : share.servers) {
        settings.servers.push_back(server.toStdString());
    }
    auto sharer = std::make_unique<FrameSharer>(std::move(settings));
    if (auto problem = sharer->Start()) {
        return tr("Frames are not shared: %1.").arg(QString::fromStdString(*problem));
    }
    sharer_ = std::move(sharer);
    feed_ = std::make_unique<ShareFeed>(*sharer_);
    return std::nullopt;
}

FrameHandler* WindowSharing::Feed() {
    return feed_.get();
}

std::optional<SharedFrames> WindowSharing::TakeLoadCounts() {
    if (!feed_) {
        return std::nullopt;
    }
    const SharedFrames now{feed_->FramesShared(), feed_->FramesWithoutTime()};
    const SharedFrames load{now.frames - counted_.frames,
                            now.withoutReceptionTime - counted_.withoutReceptionTime};
    counted_ = now;
    return load;
}

}  // namespace orvex
