#pragma once

#include <QSqlDatabase>
#include <QSqlQuery>
#include <QString>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "share/sids_form.h"

namespace orvex {

// The frames waiting for each telemetry server, in a SQLite file that keeps
// them through a restart and a kill. A frame moves, in one transaction, from
// `waiting` to `delivered` once the server took it, or to `set_aside` with
// the server's answer once it refused it; so a frame reaches a server twice
// only when the program ends between the server's answer and that move.
// `delivered` keeps only the frame's time and digest, so that a log shared
// again adds nothing it shared before.
//
// One connection, used by the thread that made it.
class ShareQueue {
public:
    static constexpr int kSchemaVersion = 1;

    explicit ShareQueue(std::string path);
    ~ShareQueue();
    ShareQueue(const ShareQueue&) = delete;
    ShareQueue& operator=(const ShareQueue&) = delete;

    // Opens or makes the file, readable by its owner alone: it names the
    // servers with their keys and the station's place. Why not, or nothing.
    std::optional<std::string> Open();
    const std::string& Path() const { return path_; }

    // The server's key, added at its first use; nothing on failure.
    std::optional<std::int64_t> ServerKey(const std::string& url);

    // Queues each frame for each server, in order, unless the server has it
    // waiting, took it or set it aside already; counts, by server, the frames
    // queued. False on failure, with nothing queued.
    bool Add(const std::vector<SharedFrame>& frames, const std::vector<std::int64_t>& servers,
             std::vector<std::uint64_t>& queued);

    struct Waiting {
        std::int64_t row = 0;
        SharedFrame frame;
    };
    // The server's oldest waiting frame; nothing when none waits or on failure
    // (see Problem).
    std::optional<Waiting> Next(std::int64_t server);
    bool MarkDelivered(std::int64_t server, const Waiting& waiting);
    bool SetAside(std::int64_t server, const Waiting& waiting, const std::string& answer);

    std::optional<std::uint64_t> CountWaiting(std::int64_t server);

    // The last failure, for the user.
    const std::string& Problem() const { return problem_; }

private:
    bool Exec(const QString& statement);
    bool MakeSchema();
    bool Fail(const QString& text);
    // Ends the transaction without its changes; false, with the failure
    // (or the one already noted when empty) as the problem.
    bool RollBack(const QString& failure);
    bool Move(std::int64_t server, const Waiting& waiting, QSqlQuery& copy);

    std::string path_;
    QString name_;
    QSqlDatabase db_;
    std::string problem_;
};

// The per-user data folder's orvex/share-queue.sqlite, its folder made.
std::string DefaultShareQueuePath();

}  // namespace orvex
