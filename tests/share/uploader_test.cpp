// The uploader against a telemetry server the test runs on 127.0.0.1: every
// frame arrives with its fields, in order and once, through refusals, errors,
// slow answers, outages and restarts; a refused frame is kept aside.
#include <gtest/gtest.h>

#include <QSqlDatabase>
#include <QSqlQuery>
#include <QSslCertificate>
#include <QSslKey>
#include <QSslServer>
#include <QSslSocket>
#include <QVariant>
#include <atomic>
#include <memory>

#include "share/frame_sharer.h"
#include "share/sender_locks.h"
#include "tests/support/event_wait.h"
#include "tests/support/http_test_server.h"
#include "tests/support/temp_folder.h"

namespace orvex::test {
namespace {

using std::chrono::milliseconds;

constexpr std::int64_t kFirstReception = 1772366400250;  // 2026-03-01 12:00:00.250 UTC
const ShareTiming kQuick{milliseconds(50), milliseconds(400), milliseconds(1000),
                         milliseconds(100)};

// The bytes of frame `index` after its command byte, and their hex form.
std::string FrameBytes(int index) {
    return std::string("\0\0\0\0\x02", 5) + "frame " + std::to_string(index) + "\xC0\xDB";
}
std::string Hex(const std::string& bytes) {
    static const char* digits = "0123456789ABCDEF";
    std::string hex;
    for (const unsigned char byte : bytes) {
        hex += digits[byte >> 4];
        hex += digits[byte & 15];
    }
    return hex;
}
std::vector<std::string> Hexes(int from, int to, std::vector<int> leftOut = {}) {
    std::vector<std::string> hexes;
    for (int index = from; index < to; ++index) {
        if (std::find(leftOut.begin(), leftOut.end(), index) == leftOut.end()) {
            hexes.push_back(Hex(FrameBytes(index)));
        }
    }
    return hexes;
}
std::vector<std::string> FramesOf(const std::vector<ReceivedPost>& posts) {
    std::vector<std::string> frames;
    frames.reserve(posts.size());
    for (const ReceivedPost& post : posts) {
        frames.push_back(post.Field("frame"));
    }
    return frames;
}

class Uploader : public ::testing::Test {
protected:
    std::unique_ptr<FrameSharer> StartSharer(std::vector<std::string> servers = {}) {
        if (servers.empty()) {
            servers.push_back(server.Url());
        }
        auto sharer = std::make_unique<FrameSharer>(
            ShareSettings{servers, station, folder / "queue.sqlite"}, kQuick);
        const auto problem = sharer->Start();
        EXPECT_FALSE(problem) << problem.value_or("");
        return sharer;
    }
    static void Hand(FrameSharer& sharer, int from, int to) {
        for (int index = from; index < to; ++index) {
            sharer.Share(FrameBytes(index), kFirstReception + std::int64_t{index} * 1000);
        }
    }
    static ServerStatus First(const FrameSharer& sharer) {
        const ShareStatus status = sharer.Status();
        return status.servers.empty() ? ServerStatus{} : status.servers.front();
    }
    static bool AllTaken(const FrameSharer& sharer) {
        const ShareStatus status = sharer.Status();
        return status.settled && status.servers.front().waiting == 0;
    }
    static std::string AllNews(FrameSharer& sharer) {
        std::string all;
        for (const std::string& news : sharer.TakeNews()) {
            all += news + '\n';
        }
        return all;
    }

    TempFolder folder;
    HttpTestServer server;
    Station station{"DL1ABC", 52.52, 13.405, 99999};
};

TEST_F(Uploader, PostsEachFrameWithTheStationAndItsReceptionTimeInOrder) {
    server.Listen();
    const auto sharer = StartSharer();
    Hand(*sharer, 0, 5);
    ASSERT_TRUE(HttpTestServer::WaitFor([&] { return AllTaken(*sharer); }));

    const std::vector<ReceivedPost> posts = server.Taken();
    ASSERT_EQ(posts.size(), 5u);
    for (int index = 0; index < 5; ++index) {
        const ReceivedPost& post = posts[static_cast<std::size_t>(index)];
        EXPECT_EQ(post.path, "/api/telemetry/");
        EXPECT_EQ(post.contentType, "application/x-www-form-urlencoded");
        EXPECT_EQ(post.Field("frame"), Hex(FrameBytes(index)));
        EXPECT_EQ(post.Field("timestamp"), "2026-03-01T12:00:0" + std::to_string(index) + ".250Z");
        EXPECT_EQ(post.Field("noradID"), "99999");
        EXPECT_EQ(post.Field("source"), "DL1ABC");
        EXPECT_EQ(post.Field("locator"), "longLat");
        EXPECT_EQ(post.Field("latitude"), "52.5200N");
        EXPECT_EQ(post.Field("longitude"), "13.4050E");
        EXPECT_EQ(post.Field("version").substr(0, 6), "Orvex ");
        EXPECT_EQ(post.fields.size(), 8u);
    }
    const ServerStatus status = First(*sharer);
    EXPECT_EQ(status.server, server.Url());
    EXPECT_EQ(status.taken, 5u);
    EXPECT_EQ(status.failing, "");
}

// The command line ends when the status says settled: a frame just handed in
// must never read as settled before it was sent.
TEST_F(Uploader, AStatusNeverReadsSettledWhileAFrameHandedInIsUnsent) {
    server.Listen();
    const auto sharer = StartSharer();
    for (int index = 0; index < 100; ++index) {
        Hand(*sharer, index, index + 1);
        // Read as often as it can be, to fall between storing and sending.
        const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(20);
        ShareStatus status = sharer->Status();
        while (!status.settled && std::chrono::steady_clock::now() < until) {
            status = sharer->Status();
        }
        ASSERT_TRUE(status.settled);
        ASSERT_EQ(status.servers.front().taken, static_cast<std::uint64_t>(index) + 1)
            << "settled with frame " << index << " unsent";
    }
}

TEST_F(Uploader, AfterRefusalsErrorsSlowAnswersAndAnOutageEveryFrameArrivesInOrderOnce) {
    const auto sharer = StartSharer();
    Hand(*sharer, 0, 10);
    // The port refuses connections until the server listens.
    ASSERT_TRUE(HttpTestServer::WaitFor([&] { return !First(*sharer).failing.empty(); }));
    EXPECT_EQ(First(*sharer).failing, "Connection refused");
    EXPECT_EQ(First(*sharer).waiting, 10u);

    // Three errors; then three slow answers, and after them answers too slow
    // to wait for. The server itself turns slower, so that however late this
    // thread runs, frames are still waiting when it does.
    std::atomic<int> posts{0};
    server.AnswerWith([&](const ReceivedPost&) {
        const int post = posts++;
        if (post == 5) {
            server.AnswerAfter(milliseconds(1500));
        }
        return post < 3 ? 500 : 200;
    });
    server.AnswerAfter(milliseconds(150));
    server.Listen();
    ASSERT_TRUE(
        HttpTestServer::WaitFor([&] { return First(*sharer).failing == "no answer within 1 s"; }));
    server.AnswerAfter(milliseconds(150));
    // Down for a while: every connection closed at once.
    server.GoDown(true);
    ASSERT_TRUE(HttpTestServer::WaitFor([&] {
        const std::string failing = First(*sharer).failing;
        return !failing.empty() && failing != "no answer within 1 s";
    }));
    server.GoDown(false);
    ASSERT_TRUE(HttpTestServer::WaitFor([&] { return AllTaken(*sharer); }));

    EXPECT_EQ(FramesOf(server.Taken()), Hexes(0, 10));
    EXPECT_EQ(First(*sharer).taken, 10u);
    EXPECT_EQ(First(*sharer).failing, "");
    const std::string news = AllNews(*sharer);
    EXPECT_EQ(news.find(server.Url() + " did not take a frame: Connection refused; its frames "
                                       "wait, tried again in 1 s and then less often, up to "
                                       "every 1 s\n"),
              0u)
        << news;
    EXPECT_NE(news.find(server.Url() + " takes frames again\n"), std::string::npos);
}

TEST_F(Uploader, ARefusedFrameIsKeptAsideAndSaidOnceWhileTheRestFlow) {
    server.AnswerWith([](const ReceivedPost& post) {
        const std::string frame = post.Field("frame");
        return frame == Hex(FrameBytes(2)) || frame == Hex(FrameBytes(5)) ? 400 : 200;
    });
    server.Listen();
    const auto sharer = StartSharer();
    Hand(*sharer, 0, 8);
    ASSERT_TRUE(HttpTestServer::WaitFor([&] { return AllTaken(*sharer); }));

    EXPECT_EQ(FramesOf(server.Taken()), Hexes(0, 8, {2, 5}));
    EXPECT_EQ(First(*sharer).setAside, 2u);
    EXPECT_EQ(First(*sharer).taken, 6u);
    const std::string queue = folder / "queue.sqlite";
    EXPECT_EQ(AllNews(*sharer), server.Url() +
                                    " refused the frame received at 2026-03-01T12:00:02.250Z: "
                                    "400 Bad Request: {\"detail\":\"refused by the test\"}; it "
                                    "and any other it refuses are kept aside in " +
                                    queue + "\n");

    // Aside on disk with the server's answer, for the user to see.
    {
        QSqlDatabase db =
            QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("aside"));
        db.setDatabaseName(QString::fromStdString(queue));
        ASSERT_TRUE(db.open());
        QSqlQuery query(db);
        ASSERT_TRUE(query.exec(QStringLiteral("SELECT frame, answer FROM set_aside ORDER BY id")));
        for (const int index : {2, 5}) {
            ASSERT_TRUE(query.next());
            EXPECT_EQ(query.value(0).toByteArray().toStdString(), FrameBytes(index));
            EXPECT_EQ(query.value(1).toString().toStdString(),
                      "400 Bad Request: {\"detail\":\"refused by the test\"}");
        }
        EXPECT_FALSE(query.next());
    }
    QSqlDatabase::removeDatabase(QStringLiteral("aside"));
}

TEST_F(Uploader, WhatWaitedAtTheEndIsSentAfterARestartAndNothingIsSentTwice) {
    {
        const auto sharer = StartSharer();
        Hand(*sharer, 0, 6);
        ASSERT_TRUE(HttpTestServer::WaitFor(
            [&] { return First(*sharer).waiting == 6 && sharer->Status().settled; }));
    }
    server.Listen();
    {
        const auto sharer = StartSharer();
        ASSERT_TRUE(HttpTestServer::WaitFor([&] { return AllTaken(*sharer); }));
        // The same frames again, as a log shared twice gives them, and one more.
        Hand(*sharer, 0, 7);
        ASSERT_TRUE(HttpTestServer::WaitFor([&] { return First(*sharer).taken == 7; }));
    }
    const auto sharer = StartSharer();
    Hand(*sharer, 0, 7);
    ASSERT_TRUE(HttpTestServer::WaitFor([&] { return AllTaken(*sharer); }));
    EXPECT_EQ(First(*sharer).taken, 0u);
    EXPECT_EQ(FramesOf(server.Taken()), Hexes(0, 7));
}

TEST_F(Uploader, AFailingServerHoldsBackNoOtherAndAServerAnotherProgramSendsToIsLeftToIt) {
    HttpTestServer down;
    server.Listen();
    SenderLocks otherProgram(folder / "queue.sqlite.lock");
    ASSERT_EQ(otherProgram.Open(), 0);
    ASSERT_TRUE(otherProgram.TryHold(3));  // the third server's key in a new queue
    HttpTestServer third;
    third.Listen();
    const auto sharer = StartSharer({down.Url(), server.Url(), third.Url()});
    Hand(*sharer, 0, 4);
    ASSERT_TRUE(HttpTestServer::WaitFor([&] {
        const ShareStatus status = sharer->Status();
        return status.settled && status.servers[1].taken == 4;
    }));

    EXPECT_EQ(FramesOf(server.Taken()), Hexes(0, 4));
    const ShareStatus status = sharer->Status();
    EXPECT_EQ(status.servers[0].waiting, 4u);
    EXPECT_EQ(status.servers[0].failing, "Connection refused");
    EXPECT_EQ(status.servers[2].waiting, 4u);
    EXPECT_TRUE(status.servers[2].sentByOther);
    EXPECT_TRUE(third.Received().empty());
}

TEST_F(Uploader, AServerWhoseCertificateNobodyVouchesForGetsNoFrame) {
    if (!QSslSocket::supportsSsl()) {
        GTEST_SKIP() << "Qt finds no TLS library here";
    }
    QSslServer untrusted;
    QSslConfiguration tls = QSslConfiguration::defaultConfiguration();
    tls.setLocalCertificate(QSslCertificate(
        QByteArray::fromStdString(ReadFile(ORVEX_SHARE_TEST_DATA "/untrusted-server.crt"))));
    tls.setPrivateKey(
        QSslKey(QByteArray::fromStdString(ReadFile(ORVEX_SHARE_TEST_DATA "/untrusted-server.key")),
                QSsl::Rsa));
    untrusted.setSslConfiguration(tls);
    ASSERT_TRUE(untrusted.listen(QHostAddress::LocalHost));
    const auto sharer = StartSharer(
        {"https://127.0.0.1:" + std::to_string(untrusted.serverPort()) + "/api/telemetry/"});
    Hand(*sharer, 0, 1);
    // The server's handshakes run on this thread.
    HandleEventsUntil([&] { return !First(*sharer).failing.empty(); }, std::chrono::seconds(20));

    EXPECT_EQ(First(*sharer).failing.substr(0, 20), "SSL handshake failed")
        << First(*sharer).failing;
    EXPECT_EQ(First(*sharer).waiting, 1u);
    EXPECT_FALSE(untrusted.hasPendingConnections());  // none got through the handshake
}

TEST_F(Uploader, AQueueThatCannotBeOpenedIsSaidAtTheStart) {
    FrameSharer sharer({{server.Url()}, station, folder / "missing/queue.sqlite"}, kQuick);
    EXPECT_EQ(sharer.Start().value_or(""), "Cannot open the queue of frames to share " +
                                               (folder / "missing/queue.sqlite") + ": the folder " +
                                               (folder / "missing") + " does not exist");
    sharer.Share(FrameBytes(0), kFirstReception);  // not queued anywhere
    EXPECT_EQ(FolderEntries(folder.Path()), std::vector<std::string>{});
}

}  // namespace
}  // namespace orvex::test
