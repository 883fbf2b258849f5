#include "tests/support/http_test_server.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>
#include <QUrlQuery>
#include <stdexcept>

#include "tests/support/wait_until.h"

namespace orvex::test {
namespace {

const char* ReasonOf(int status) {
    switch (status) {
        case 200:
            return "OK";
        case 201:
            return "Created";
        case 400:
            return "Bad Request";
        case 429:
            return "Too Many Requests";
        case 500:
            return "Internal Server Error";
        case 503:
            return "Service Unavailable";
        default:
            return "Answer";
    }
}

std::string Header(const QByteArray& head, const QByteArray& name) {
    for (const QByteArray& line : head.split('\n')) {
        const qsizetype colon = line.indexOf(':');
        if (colon > 0 && line.left(colon).trimmed().toLower() == name) {
            return line.mid(colon + 1).trimmed().toStdString();
        }
    }
    return {};
}

std::map<std::string, std::string> FormFields(QByteArray body) {
    body.replace('+', "%20");
    std::map<std::string, std::string> fields;
    for (const auto& [key, value] :
         QUrlQuery(QString::fromLatin1(body)).queryItems(QUrl::FullyDecoded)) {
        fields[key.toStdString()] = value.toStdString();
    }
    return fields;
}

}  // namespace

std::string ReceivedPost::Field(const std::string& name) const {
    const auto found = fields.find(name);
    return found != fields.end() ? found->second : "<missing " + name + ">";
}

// Lives on the server's thread: reads each connection's request and answers.
class HttpTestServer::Listener : public QTcpServer {
public:
    explicit Listener(HttpTestServer& owner) : owner_(owner) {}

protected:
    void incomingConnection(qintptr descriptor) override {
        auto* socket = new QTcpSocket(this);
        socket->setSocketDescriptor(descriptor);
        bool down = false;
        {
            const std::lock_guard lock(owner_.mutex_);
            down = owner_.down_;
        }
        if (down) {
            socket->abort();
            socket->deleteLater();
            return;
        }
        connect(socket, &QTcpSocket::readyRead, this, [this, socket] { Read(socket); });
        connect(socket, &QTcpSocket::disconnected, this, [this, socket] {
            pending_.erase(socket);
            socket->deleteLater();
        });
    }

private:
    void Read(QTcpSocket* socket) {
        QByteArray& request = pending_[socket];
        request += socket->readAll();
        const qsizetype headEnd = request.indexOf("\r\n\r\n");
        if (headEnd < 0) {
            return;
        }
        const QByteArray head = request.left(headEnd);
        const std::size_t length = std::stoul("0" + Header(head, "content-length"));
        if (static_cast<std::size_t>(request.size() - headEnd - 4) < length) {
            return;
        }
        ReceivedPost post;
        const QList<QByteArray> requestLine = head.left(head.indexOf('\r')).split(' ');
        post.path = requestLine.size() > 1 ? requestLine[1].toStdString() : "";
        post.contentType = Header(head, "content-type");
        post.fields = FormFields(request.mid(headEnd + 4, static_cast<qsizetype>(length)));
        pending_.erase(socket);
        Answer answer;
        std::chrono::milliseconds delay{0};
        {
            const std::lock_guard lock(owner_.mutex_);
            owner_.received_.push_back(post);
            answer = owner_.answer_;
            delay = owner_.delay_;
        }
        const int status = answer ? answer(post) : 200;
        QTimer::singleShot(delay, socket,
                           [this, socket, status, post] { Reply(socket, status, post); });
    }

    // A post answered 2xx is taken: the server has it, whatever becomes of
    // the client.
    void Reply(QTcpSocket* socket, int status, const ReceivedPost& post) {
        const QByteArray body =
            status >= 400 ? QByteArray("{\"detail\":\"refused by the test\"}") : "";
        socket->write("HTTP/1.1 " + QByteArray::number(status) + ' ' + ReasonOf(status) +
                      "\r\nContent-Type: application/json\r\nContent-Length: " +
                      QByteArray::number(body.size()) + "\r\nConnection: close\r\n\r\n" + body);
        socket->disconnectFromHost();
        const std::lock_guard lock(owner_.mutex_);
        ++owner_.answered_;
        if (status >= 200 && status < 300) {
            owner_.taken_.push_back(post);
        }
    }

    HttpTestServer& owner_;
    std::map<QTcpSocket*, QByteArray> pending_;
};

HttpTestServer::HttpTestServer() {
    bound_ = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t size = sizeof address;
    if (bound_ < 0 || ::bind(bound_, reinterpret_cast<sockaddr*>(&address), size) != 0 ||
        ::getsockname(bound_, reinterpret_cast<sockaddr*>(&address), &size) != 0) {
        throw std::runtime_error("cannot bind a port on 127.0.0.1");
    }
    port_ = ntohs(address.sin_port);
}

// The listener is made, given its port and moved before the thread starts,
// and deleted as the thread's last work, which a future tells: nothing
// crosses through Qt's event queue, whose lock ThreadSanitizer cannot see.
HttpTestServer::~HttpTestServer() {
    if (thread_.isRunning()) {
        std::future<void> deleted = deleted_.get_future();
        thread_.quit();
        deleted.wait();
        thread_.wait();
    }
    if (bound_ >= 0) {
        ::close(bound_);
    }
}

std::string HttpTestServer::Url() const {
    return "http://127.0.0.1:" + std::to_string(port_) + "/api/telemetry/";
}

void HttpTestServer::Listen() {
    const int descriptor = std::exchange(bound_, -1);
    if (::listen(descriptor, 16) != 0) {
        throw std::runtime_error("cannot listen on 127.0.0.1");
    }
    listener_ = new Listener(*this);
    listener_->setSocketDescriptor(descriptor);
    listener_->moveToThread(&thread_);
    QObject::connect(
        &thread_, &QThread::finished, listener_,
        [this] {
            delete listener_;
            deleted_.set_value();
        },
        Qt::DirectConnection);
    thread_.start();
}

void HttpTestServer::AnswerWith(Answer answer) {
    const std::lock_guard lock(mutex_);
    answer_ = std::move(answer);
}

void HttpTestServer::AnswerAfter(std::chrono::milliseconds delay) {
    const std::lock_guard lock(mutex_);
    delay_ = delay;
}

void HttpTestServer::GoDown(bool down) {
    const std::lock_guard lock(mutex_);
    down_ = down;
}

std::vector<ReceivedPost> HttpTestServer::Received() const {
    const std::lock_guard lock(mutex_);
    return received_;
}

std::size_t HttpTestServer::Answered() const {
    const std::lock_guard lock(mutex_);
    return answered_;
}

std::vector<ReceivedPost> HttpTestServer::Taken() const {
    const std::lock_guard lock(mutex_);
    return taken_;
}

bool HttpTestServer::WaitFor(const std::function<bool()>& condition,
                             std::chrono::milliseconds limit) {
    return WaitUntil(condition, limit);
}

}  // namespace orvex::test
