#include "live/link_source.h"

#include <QIODevice>
#include <algorithm>
#include <thread>

#include "kiss/kiss_reader.h"
#include "live/link.h"

namespace orvex {

LinkSource::LinkSource(Link& link, LinkWatcher& watcher, LoadPacing& pacing, LinkRetries retries)
    : link_(link), watcher_(watcher), pacing_(pacing), backoff_(retries.first, retries.longest) {}

LinkSource::LinkSource(std::unique_ptr<Link> link, LinkWatcher& watcher, LoadPacing& pacing,
                       LinkRetries retries)
    : owned_(std::move(link)),
      link_(*owned_),
      watcher_(watcher),
      pacing_(pacing),
      backoff_(retries.first, retries.longest) {}

LinkSource::~LinkSource() = default;

LogSource::Result LinkSource::Read(std::uint8_t* buffer, std::size_t capacity) {
    while (!ended_) {
        if ((!up_ && !Connect()) || !pacing_.MayGoOn()) {
            break;
        }
        QIODevice& device = link_.Device();
        if (device.bytesAvailable() > 0) {
            const qint64 count =
                device.read(reinterpret_cast<char*>(buffer), static_cast<qint64>(capacity));
            if (count > 0) {
                Deliver(buffer, static_cast<std::size_t>(count));
                return {static_cast<std::size_t>(count), 0};
            }
        }
        if (!link_.IsUp()) {
            if (Lose(buffer)) {
                return {1, 0};
            }
            continue;
        }
        device.waitForReadyRead(static_cast<int>(pacing_.UntilNextTurn().count()));
    }
    return End();
}

bool LinkSource::Connect() {
    while (nextWait_.count() == 0 || Wait(nextWait_)) {
        const std::string reason = link_.Open();
        if (reason.empty()) {
            up_ = true;
            backoff_.Reset();
            watcher_.OnLinkEvent({LinkEvent::Kind::Connected, {}, {}});
            return true;
        }
        link_.Close();
        nextWait_ = backoff_.Next();
        watcher_.OnLinkEvent({LinkEvent::Kind::Refused, reason, nextWait_});
    }
    return false;
}

bool LinkSource::Wait(std::chrono::milliseconds wait) {
    const auto until = std::chrono::steady_clock::now() + wait;
    for (auto now = std::chrono::steady_clock::now(); now < until;
         now = std::chrono::steady_clock::now()) {
        std::this_thread::sleep_for(
            std::min<std::chrono::steady_clock::duration>(pacing_.UntilNextTurn(), until - now));
        if (!pacing_.MayGoOn()) {
            return false;
        }
    }
    return true;
}

bool LinkSource::Lose(std::uint8_t* buffer) {
    const std::string reason = link_.Device().errorString().toStdString();
    link_.Close();
    up_ = false;
    nextWait_ = backoff_.Next();
    watcher_.OnLinkEvent({LinkEvent::Kind::Lost, reason, nextWait_});
    if (!insideFrame_) {
        return false;
    }
    buffer[0] = kFend;
    insideFrame_ = false;
    return true;
}

LogSource::Result LinkSource::End() {
    if (!ended_) {
        ended_ = true;
        link_.Close();
        up_ = false;
        watcher_.OnLinkEvent({LinkEvent::Kind::Ended, {}, {}});
    }
    return {};
}

void LinkSource::Deliver(const std::uint8_t* bytes, std::size_t count) {
    received_ += count;
    const auto fends = std::count(bytes, bytes + count, kFend);
    insideFrame_ = insideFrame_ != (fends % 2 == 1);
}

}  // namespace orvex
