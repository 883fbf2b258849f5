#include "cli/share_run.h"

#include <rapidjson/stringbuffer.h>
#include <rapidjson/writer.h>

#include <chrono>
#include <ostream>
#include <thread>

#include "cli/decode_options.h"
#include "cli/stop_signals.h"
#include "load/log_load.h"
#include "share/frame_sharer.h"
#include "share/share_queue.h"

namespace orvex {
namespace {

using Clock = std::chrono::steady_clock;

// How long sending goes on after a stop signal: the frames of the last
// seconds of a pass, with a server that answers.
constexpr std::chrono::seconds kSendingAfterStop{5};
constexpr std::chrono::milliseconds kPoll{20};

std::uint64_t Waiting(const ShareStatus& status) {
    std::uint64_t waiting = 0;
    for (const ServerStatus& server : status.servers) {
        waiting += server.waiting;
    }
    return waiting;
}

// Sends until the uploader has nothing it can send now.
void SendWhatWaits(FrameSharer& sharer, const StopSignals& stop, std::ostream& err) {
    std::optional<Clock::time_point> until;
    bool told = false;
    for (ShareStatus status = sharer.Status(); !status.settled; status = sharer.Status()) {
        TellShareNews(sharer, err);
        if (stop.Received() != 0 && !until) {
            until = Clock::now() + kSendingAfterStop;
        }
        if (until && Clock::now() >= *until) {
            break;
        }
        if (!told) {
            err << kDecodeProgram << ": sending the " << Waiting(status)
                << " frames that wait; a stop signal leaves them for the next run" << std::endl;
            told = true;
        }
        std::this_thread::sleep_for(kPoll);
    }
    TellShareNews(sharer, err);
}

// "share https://db.satnogs.org/api/telemetry/: 150 frames taken, 0 waiting"
void PrintServer(std::ostream& out, const ServerStatus& server) {
    out << "share " << server.server << ": " << server.taken << " frames taken, " << server.waiting
        << " waiting";
    if (server.setAside > 0) {
        out << ", " << server.setAside << " refused and kept aside";
    }
    if (!server.failing.empty()) {
        out << "; failing: " << server.failing;
    } else if (server.sentByOther) {
        out << "; another program sends them";
    }
    out << '\n';
}

std::string StatusJson(const ShareStatus& status) {
    rapidjson::StringBuffer buffer;
    rapidjson::Writer<rapidjson::StringBuffer> json(buffer);
    json.StartObject();
    json.Key("share");
    json.StartArray();
    for (const ServerStatus& server : status.servers) {
        json.StartObject();
        json.Key("server");
        json.String(server.server.c_str());
        json.Key("taken");
        json.Uint64(server.taken);
        json.Key("waiting");
        json.Uint64(server.waiting);
        json.Key("set_aside");
        json.Uint64(server.setAside);
        if (!server.failing.empty()) {
            json.Key("failing");
            json.String(server.failing.c_str());
        }
        json.EndObject();
    }
    json.EndArray();
    if (!status.problem.empty()) {
        json.Key("problem");
        json.String(status.problem.c_str());
    }
    json.EndObject();
    return {buffer.GetString(), buffer.GetSize()};
}

}  // namespace

std::unique_ptr<FrameSharer> StartSharing(const ShareOptions& options, std::ostream& err,
                                          bool& failed) {
    if (!options.Asked()) {
        return nullptr;
    }
    auto sharer = std::make_unique<FrameSharer>(
        ShareSettings{options.servers, options.TheStation(), DefaultShareQueuePath()});
    if (auto problem = sharer->Start()) {
        err << kDecodeProgram << ": " << *problem << "; no frame is shared\n";
        failed = true;
        return nullptr;
    }
    return sharer;
}

LoadSharing::LoadSharing(FrameSharer* sharer, LogLoad& load) : sharer_(sharer) {
    if (sharer != nullptr) {
        load.AddFrameHandler(feed_.emplace(*sharer));
    }
}

bool LoadSharing::Tell(LoadOutcome& outcome, const std::string& shownLog, std::ostream& err) {
    if (!feed_) {
        return true;
    }
    outcome.shared = {feed_->FramesShared(), feed_->FramesWithoutTime()};
    TellShareNews(*sharer_, err);
    if (feed_->FramesWithoutTime() == 0) {
        return true;
    }
    err << kDecodeProgram << ": " << shownLog << ": ";
    if (feed_->FramesShared() == 0) {
        err << "not shared: the log holds no reception times. A log can be shared only where "
               "a timestamp frame (KISS command 9, as gr-satellites records) comes before "
               "each frame; a stream is shared as it arrives\n";
    } else {
        err << feed_->FramesWithoutTime()
            << " frames not shared: no timestamp frame came before them\n";
    }
    return false;
}

void TellShareNews(FrameSharer& sharer, std::ostream& err) {
    for (const std::string& news : sharer.TakeNews()) {
        err << kDecodeProgram << ": " << news << '\n';
    }
}

bool FinishSharing(FrameSharer& sharer, const StopSignals& stop, std::ostream& out,
                   std::ostream& err, bool json) {
    SendWhatWaits(sharer, stop, err);
    const ShareStatus status = sharer.Status();
    if (json) {
        out << StatusJson(status) << '\n';
    } else {
        for (const ServerStatus& server : status.servers) {
            PrintServer(out, server);
        }
    }
    bool refused = false;
    for (const ServerStatus& server : status.servers) {
        refused = refused || server.setAside > 0;
    }
    return status.problem.empty() && !refused;
}

}  // namespace orvex
