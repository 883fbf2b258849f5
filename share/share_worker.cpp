#include "share/share_worker.h"

#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QTimer>
#include <cstring>

#include "share/sender_locks.h"
#include "share/server_answer.h"
#include "share/server_url.h"

namespace orvex {
namespace {

// Of an answer's body, as much as a refusal's message shows.
constexpr qint64 kBodyRead = 512;

// "1 s", "5 min"
std::string DurationText(std::chrono::milliseconds wait) {
    const auto seconds = (wait.count() + 999) / 1000;
    return seconds >= 60 && seconds % 60 == 0 ? std::to_string(seconds / 60) + " min"
                                              : std::to_string(seconds) + " s";
}

}  // namespace

struct ShareWorker::Server {
    std::string url;
    std::string shown;
    std::int64_t key = 0;
    ReconnectBackoff backoff;
    QNetworkReply* reply = nullptr;
    std::optional<ShareQueue::Waiting> sending;
    std::unique_ptr<QTimer> retry;  // while waiting to try again
    bool locked = false;
    std::uint64_t taken = 0;
    std::uint64_t waiting = 0;
    std::uint64_t setAside = 0;
    std::string failing;
    bool refusalSaid = false;
};

ShareWorker::ShareWorker(ShareSettings settings, ShareTiming timing)
    : settings_(std::move(settings)), timing_(timing) {
    // Connected once, here, before the thread starts: a queued call made
    // anew for each wake would carry a slot object from the handing thread
    // to this one through Qt's event queue, whose lock ThreadSanitizer
    // cannot see in Debian's Qt.
    connect(this, &ShareWorker::Woken, this, &ShareWorker::Store, Qt::QueuedConnection);
}

ShareWorker::~ShareWorker() = default;

std::optional<std::string> ShareWorker::Open() {
    queue_ = std::make_unique<ShareQueue>(settings_.queuePath);
    if (auto problem = queue_->Open()) {
        return "Cannot open the queue of frames to share " + settings_.queuePath + ": " + *problem;
    }
    locks_ = std::make_unique<SenderLocks>(settings_.queuePath + ".lock");
    if (const int error = locks_->Open()) {
        return "Cannot open " + settings_.queuePath + ".lock: " + std::strerror(error);
    }
    network_ = std::make_unique<QNetworkAccessManager>();
    for (const std::string& url : settings_.servers) {
        auto server = std::make_unique<Server>();
        server->url = url;
        server->shown = ShownServer(url);
        server->backoff = ReconnectBackoff(timing_.firstRetry, timing_.longestRetry);
        server->retry = std::make_unique<QTimer>();
        server->retry->setSingleShot(true);
        Server* at = server.get();
        connect(server->retry.get(), &QTimer::timeout, this, [this, at] { Pump(*at); });
        const std::optional<std::int64_t> key = queue_->ServerKey(url);
        if (!key) {
            return "Cannot use the queue of frames to share " + settings_.queuePath + ": " +
                   queue_->Problem();
        }
        server->key = *key;
        keys_.push_back(*key);
        servers_.push_back(std::move(server));
    }
    for (const auto& server : servers_) {
        Pump(*server);
    }
    Publish();
    return std::nullopt;
}

void ShareWorker::Close() {
    if (!closed_) {
        Queue();
        Halt();
    }
    servers_.clear();
    network_.reset();
    locks_.reset();
    queue_.reset();
}

// Sends nothing more. A frame on its way stays waiting: the server may have
// taken it, and takes it again at the next start.
void ShareWorker::Halt() {
    closed_ = true;
    for (const auto& server : servers_) {
        server->retry->stop();
        if (server->reply != nullptr) {
            server->reply->abort();
        }
    }
}

void ShareWorker::Hand(std::string bytes, std::int64_t receivedMs) {
    bool wake = false;
    {
        const std::lock_guard lock(mutex_);
        if (!status_.problem.empty()) {
            return;
        }
        wake = inbox_.empty();
        inbox_.push_back({std::move(bytes), receivedMs, {}});
        ++handed_;
    }
    if (wake) {
        emit Woken();
    }
}

void ShareWorker::Store() {
    if (!Queue()) {
        return;
    }
    for (const auto& server : servers_) {
        Pump(*server);
    }
    Publish();
}

// Every frame in the inbox goes into the queue in one transaction; false when
// none did.
bool ShareWorker::Queue() {
    std::vector<SharedFrame> frames;
    {
        const std::lock_guard lock(mutex_);
        frames.swap(inbox_);
    }
    if (frames.empty() || closed_ || queue_ == nullptr) {
        return false;
    }
    for (SharedFrame& frame : frames) {
        frame.station = settings_.station;
    }
    std::vector<std::uint64_t> queued;
    if (!queue_->Add(frames, keys_, queued)) {
        QueueFailed();
        return false;
    }
    stored_ += frames.size();
    for (std::size_t index = 0; index < servers_.size(); ++index) {
        servers_[index]->waiting += queued[index];
    }
    return true;
}

// Sends the server its next waiting frame unless one is on its way, it
// waits to try again, or another program sends its frames.
void ShareWorker::Pump(Server& server) {
    if (closed_ || server.reply != nullptr || server.retry->isActive()) {
        return;
    }
    if (!server.locked) {
        server.locked = locks_->TryHold(server.key);
        const std::optional<std::uint64_t> waiting = queue_->CountWaiting(server.key);
        if (!waiting) {
            QueueFailed();
            return;
        }
        server.waiting = *waiting;
        if (!server.locked) {
            server.retry->start(timing_.lockRetry);
            Publish();
            return;
        }
    }
    std::optional<ShareQueue::Waiting> next = queue_->Next(server.key);
    if (!next) {
        if (!queue_->Problem().empty()) {
            QueueFailed();
            return;
        }
        server.waiting = 0;
        Publish();
        return;
    }
    // Another program may have queued it since the count.
    server.waiting = std::max<std::uint64_t>(server.waiting, 1);
    Send(server, std::move(*next));
}

void ShareWorker::Send(Server& server, ShareQueue::Waiting waiting) {
    QNetworkRequest request(QUrl(QString::fromStdString(server.url)));
    request.setHeader(QNetworkRequest::ContentTypeHeader,
                      QStringLiteral("application/x-www-form-urlencoded"));
    request.setHeader(QNetworkRequest::UserAgentHeader, QStringLiteral("Orvex/" ORVEX_VERSION));
    request.setTransferTimeout(static_cast<int>(timing_.answerTimeout.count()));
    // A server that moved is told, not followed: a POST redirected may
    // arrive as a GET, and the user should fix the address.
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute,
                         QNetworkRequest::ManualRedirectPolicy);
    server.reply = network_->post(request, SidsForm(waiting.frame));
    server.sending = std::move(waiting);
    connect(server.reply, &QNetworkReply::finished, this, [this, &server] { Answered(server); });
}

void ShareWorker::Answered(Server& server) {
    QNetworkReply* reply = std::exchange(server.reply, nullptr);
    reply->deleteLater();
    if (closed_) {
        return;
    }
    const int status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    const std::string reason =
        reply->attribute(QNetworkRequest::HttpReasonPhraseAttribute).toString().toStdString();
    // A request the transfer time-out ended is cancelled, as one closed is.
    const std::string failure = reply->error() == QNetworkReply::OperationCanceledError
                                    ? "no answer within " + DurationText(timing_.answerTimeout)
                                    : reply->errorString().toStdString();
    const QByteArray body = reply->isOpen() ? reply->read(kBodyRead) : QByteArray();
    ServerAnswer answer = AnswerFrom(status, reason, failure, body.toStdString());
    answer.text = WithoutSecrets(answer.text, server.url);
    switch (answer.kind) {
        case ServerAnswer::Kind::Taken:
            if (!queue_->MarkDelivered(server.key, *server.sending)) {
                QueueFailed();
                return;
            }
            ++server.taken;
            --server.waiting;  // at least 1 while it was sent
            if (!server.failing.empty()) {
                Say(server.shown + " takes frames again");
                server.failing.clear();
            }
            server.backoff.Reset();
            break;
        case ServerAnswer::Kind::Refused:
            Refused(server, answer.text);
            break;
        case ServerAnswer::Kind::TryAgain:
            Failed(server, answer.text);
            break;
    }
    if (!status_.problem.empty()) {
        return;
    }
    Pump(server);
    Publish();
}

// A fault of the frame or of the settings: the frame is kept aside, the
// others go on.
void ShareWorker::Refused(Server& server, const std::string& answer) {
    const ShareQueue::Waiting& frame = *server.sending;
    if (!queue_->SetAside(server.key, frame, answer)) {
        QueueFailed();
        return;
    }
    ++server.setAside;
    --server.waiting;  // at least 1 while it was sent
    server.failing.clear();
    server.backoff.Reset();
    if (!server.refusalSaid) {
        server.refusalSaid = true;
        Say(server.shown + " refused the frame received at " +
            IsoUtcMilliseconds(frame.frame.receivedMs) + ": " + answer +
            "; it and any other it refuses are kept aside in " + settings_.queuePath);
    }
}

void ShareWorker::Failed(Server& server, const std::string& answer) {
    const std::chrono::milliseconds wait = server.backoff.Next();
    if (server.failing.empty()) {
        Say(server.shown + " did not take a frame: " + answer +
            "; its frames wait, tried again in " + DurationText(wait) +
            " and then less often, up to every " + DurationText(timing_.longestRetry));
    }
    server.failing = answer;
    server.retry->start(wait);
}

void ShareWorker::QueueFailed() {
    const std::string problem = "The queue of frames to share " + settings_.queuePath +
                                " failed: " + queue_->Problem() + "; no more frames are shared";
    {
        const std::lock_guard lock(mutex_);
        status_.problem = problem;
        inbox_.clear();
    }
    Say(problem);
    Halt();
    Publish();
}

void ShareWorker::Say(std::string news) {
    const std::lock_guard lock(mutex_);
    news_.push_back(std::move(news));
}

void ShareWorker::Publish() {
    {
        const std::lock_guard lock(mutex_);
        status_.servers.clear();
        bool busy = false;
        for (const auto& server : servers_) {
            const bool waitsForRetry = server->retry->isActive();
            busy = busy || (!closed_ &&
                            (server->reply != nullptr || (server->waiting > 0 && !waitsForRetry)));
            status_.servers.push_back({server->shown, server->taken, server->waiting,
                                       server->setAside, server->failing,
                                       !server->locked && waitsForRetry});
        }
        status_.settled = !busy;
        // Counted here, with the servers' state, not when stored: a status
        // read between the two would say the frames just stored were settled.
        storedShown_ = stored_;
    }
    emit StatusChanged();
}

ShareStatus ShareWorker::Status() const {
    const std::lock_guard lock(mutex_);
    ShareStatus status = status_;
    status.settled = status.settled && (handed_ == storedShown_ || !status.problem.empty());
    return status;
}

std::vector<std::string> ShareWorker::TakeNews() {
    const std::lock_guard lock(mutex_);
    return std::exchange(news_, {});
}

bool ShareWorker::HasNews() const {
    const std::lock_guard lock(mutex_);
    return !news_.empty();
}

}  // namespace orvex
