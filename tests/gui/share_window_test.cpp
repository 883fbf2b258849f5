// Settings > Station and Share Frames: their dialogs, and the window's logs
// shared with a telemetry server on 127.0.0.1 as the settings say, the
// status line counting what the server took.
#include <QCheckBox>
#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>

#include "app/dialogs/share_dialog.h"
#include "app/dialogs/station_dialog.h"
#include "app/window/object_names.h"
#include "tests/gui/main_window_fixture.h"
#include "tests/support/http_test_server.h"
#include "tests/support/log_builder.h"

namespace orvex::test {
namespace {

template <class Widget>
Widget* In(const QDialog& dialog, const char* name) {
    auto* widget = dialog.findChild<Widget*>(QString::fromLatin1(name));
    EXPECT_NE(widget, nullptr) << name;
    return widget;
}
bool OkEnabled(const QDialog& dialog) {
    return dialog.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok)->isEnabled();
}

TEST(StationDialog, TakesOnlyFieldsThatReadAndGivesThemTrimmed) {
    StationDialog dialog({QStringLiteral("DL1ABC"), QString(), QString()}, nullptr);
    EXPECT_TRUE(OkEnabled(dialog));  // a field at a time
    In<QLineEdit>(dialog, object_name::kStationLocation)->setText(QStringLiteral("52N,13E"));
    EXPECT_FALSE(OkEnabled(dialog));
    In<QLineEdit>(dialog, object_name::kStationLocation)->setText(QStringLiteral(" 52.5,-13.4 "));
    In<QLineEdit>(dialog, object_name::kStationNoradId)->setText(QStringLiteral("0"));
    EXPECT_FALSE(OkEnabled(dialog));
    In<QLineEdit>(dialog, object_name::kStationNoradId)->setText(QStringLiteral("99999"));
    ASSERT_TRUE(OkEnabled(dialog));
    const std::optional<Station> station = dialog.Choice().ToStation();
    ASSERT_TRUE(station);
    EXPECT_EQ(station->callsign, "DL1ABC");
    EXPECT_DOUBLE_EQ(station->longitude, -13.4);
    EXPECT_EQ(station->noradId, 99999u);
}

TEST(ShareDialog, OffersSatnogsDbAndNeedsAServerToShare) {
    ShareDialog dialog({}, nullptr);
    EXPECT_TRUE(OkEnabled(dialog));
    In<QCheckBox>(dialog, object_name::kShareEnabled)->setChecked(true);
    EXPECT_FALSE(OkEnabled(dialog));
    In<QPushButton>(dialog, object_name::kShareAddSatnogs)->click();
    In<QPushButton>(dialog, object_name::kShareAddSatnogs)->click();  // once is enough
    auto* url = In<QLineEdit>(dialog, object_name::kShareUrl);
    auto* add = In<QPushButton>(dialog, object_name::kShareAdd);
    url->setText(QStringLiteral("team.example.org/sids"));
    EXPECT_FALSE(add->isEnabled());
    url->setText(QStringLiteral("https://team.example.org/sids"));
    add->click();
    EXPECT_TRUE(OkEnabled(dialog));
    EXPECT_EQ(dialog.Choice().servers,
              QStringList({QStringLiteral("https://db.satnogs.org/api/telemetry/"),
                           QStringLiteral("https://team.example.org/sids")}));
    In<QListWidget>(dialog, object_name::kShareServers)->setCurrentRow(0);
    In<QPushButton>(dialog, object_name::kShareRemove)->click();
    EXPECT_EQ(dialog.Choice().servers,
              QStringList{QStringLiteral("https://team.example.org/sids")});
}

class ShareWindowTest : public MainWindowTest {
protected:
    ShareWindowTest() {
        window.SetStationChooser([this](const StationChoice&) { return station; });
        window.SetShareChooser([this](const ShareChoice&) { return share; });
    }
    void Choose(const std::optional<StationChoice>& newStation,
                const std::optional<ShareChoice>& newShare) {
        station = newStation;
        share = newShare;
        Action(object_name::kStationAction)->trigger();
        Action(object_name::kShareAction)->trigger();
    }
    QString ShareLine() const { return Find<QLabel>(object_name::kShareStatus)->text(); }

    HttpTestServer server;
    std::optional<StationChoice> station;
    std::optional<ShareChoice> share;
};

TEST_F(ShareWindowTest, ALogsFramesGoToTheServerWithTheirTimesAndTheStatusLineCountsThem) {
    server.Listen();
    const QString url = QString::fromStdString(server.Url());
    Choose(StationChoice{QStringLiteral("DL1ABC"), QStringLiteral("52.5,13.4"), QString()},
           ShareChoice{true, {url}});
    // Nothing is shared without the satellite's number, and the status line says why.
    EXPECT_EQ(Status(),
              "Frames are not shared: give the satellite's NORAD number, the callsign "
              "and the location under Settings > Station.");
    EXPECT_TRUE(Find<QLabel>(object_name::kShareStatus)->isHidden());

    Choose(StationChoice{QStringLiteral("DL1ABC"), QStringLiteral("52.5,13.4"),
                         QStringLiteral("99999")},
           std::nullopt);
    EXPECT_EQ(Status(), "Every frame received is shared with 1 server.");
    EXPECT_EQ(StationChoice::Remembered().noradId, "99999");
    EXPECT_TRUE(ShareChoice::Remembered().enabled);
    EXPECT_FALSE(Find<QLabel>(object_name::kShareStatus)->isHidden());

    OpenLog(TimestampFrame(1796652185250) + TextFrame("first") + TimestampFrame(1796652186250) +
            TextFrame("second"));
    EXPECT_NE(Status().indexOf("2 frames to share."), -1) << Status();
    ASSERT_TRUE(
        QTest::qWaitFor([&] { return ShareLine() == "127.0.0.1: 2 taken, 0 waiting"; }, 20000))
        << ShareLine();
    const std::vector<ReceivedPost> posts = server.Taken();
    ASSERT_EQ(posts.size(), 2u);
    EXPECT_EQ(posts[1].Field("timestamp"), "2026-12-07T14:03:06.250Z");
    EXPECT_EQ(posts[1].Field("noradID"), "99999");
    EXPECT_EQ(posts[1].Field("source"), "DL1ABC");

    // A failing server is named with its last answer; its frame waits.
    server.AnswerWith([](const ReceivedPost&) { return 503; });
    OpenLog(TimestampFrame(1796652187250) + TextFrame("third"), "third.kss");
    ASSERT_TRUE(QTest::qWaitFor(
        [&] {
            return ShareLine() == "127.0.0.1: 2 taken, 1 waiting, failing: 503 Service Unavailable";
        },
        20000))
        << ShareLine();

    OpenLog(TextFrame("no time"), "plain.kss");
    EXPECT_NE(Status().indexOf("Not shared: the log holds no reception times, as only "
                               "gr-satellites' timestamp frames give them."),
              -1)
        << Status();

    Choose(std::nullopt, ShareChoice{false, {url}});
    EXPECT_TRUE(Find<QLabel>(object_name::kShareStatus)->isHidden());
}

}  // namespace
}  // namespace orvex::test
