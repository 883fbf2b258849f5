#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QMenuBar>
#include <QXmlStreamReader>

#include "app/settings/window_language.h"
#include "app/window/object_names.h"
#include "tests/gui/main_window_fixture.h"
#include "tests/gui/stored_sample.h"
#include "tests/support/event_wait.h"

namespace orvex::test {
namespace {

// The window in German, its dates and numbers still British, as a German
// speaker in the United Kingdom would have them.
class GermanWindow : public ::testing::Test {
protected:
    QStringList Menus() const {
        QStringList menus;
        for (QAction* action : window->menuBar()->actions()) {
            menus << action->text();
        }
        return menus;
    }
    template <class Widget = QWidget>
    Widget* Find(const QString& name) const {
        return window->findChild<Widget*>(name);
    }

    WindowLanguage language{QLocale(QLocale::German, QLocale::Germany)};
    LocaleFormat format{QLocale(QLocale::English, QLocale::UnitedKingdom)};
    TempFolder folder;
    PrivateSettings settings;
    std::unique_ptr<MainWindow> window = std::make_unique<MainWindow>(format);
};

TEST_F(GermanWindow, SpeaksGerman) {
    EXPECT_EQ(Menus(), QStringList({"&Datei", "&Einstellungen", "&Info"}));
    EXPECT_EQ(Find<QAction>(object_name::kOpenAction)->text(), QString::fromUtf8("Ö&ffnen"));
    EXPECT_EQ(Find<QAction>(object_name::kWriteReportAction)->text(), "&TLM-Datei schreiben");
    EXPECT_EQ(Find<QGroupBox>(object_name::kVoltageFrame)->title(), "Spannung");
    EXPECT_EQ(Find(object_name::ChannelValue(0))->accessibleName(), "Battery 0 Wert");

    window->SetFileChooser([this] { return QString::fromStdString(folder.Write("a.kss", "")); });
    Find<QAction>(object_name::kOpenAction)->trigger();
    ASSERT_TRUE(HandleEventsUntil([this] { return window->Idle(); }));
    EXPECT_TRUE(window->StatusText().startsWith(
        QString::fromStdString("Kein Frame in " + (folder / "a.kss") + " gefunden.")));
}

TEST_F(GermanWindow, ShowsTheStatusLineShortAtTheFirstSize) {
    window->show();
    const std::string log = folder.Write("pass-of-2026-12-07-at-the-club-station.kss", "");
    window->SetFileChooser([&log] { return QString::fromStdString(log); });
    Find<QAction>(object_name::kOpenAction)->trigger();
    ASSERT_TRUE(HandleEventsUntil([this] { return window->Idle(); }));
    const auto* line = Find<QLabel>(object_name::kStatusLine);
    ASSERT_NE(line->text(), window->StatusText());
    EXPECT_LE(line->fontMetrics().horizontalAdvance(line->text()), line->contentsRect().width())
        << line->text().toStdString();
    EXPECT_EQ(line->toolTip(), window->StatusText());
}

// A German user's window writes the sample pass's stored files, byte for byte.
TEST(GermanUser, GetsTheReportAndTheExportAsTheyAre) {
    const WindowLanguage language{QLocale(QLocale::German, QLocale::Germany)};
    const LocaleFormat format{QLocale(QLocale::German, QLocale::Germany)};
    TempFolder folder;
    const PrivateSettings settings;
    const std::string log =
        folder.Write("orvex-pass.kss", ReadFile(ORVEX_SAMPLES_DIR "/orvex-pass.kss"));
    MainWindow window(format);
    window.SetFileChooser([&log] { return QString::fromStdString(log); });
    window.findChild<QAction*>(object_name::kOpenAction)->trigger();
    ASSERT_TRUE(HandleEventsUntil([&] { return window.Idle(); }));
    EXPECT_TRUE(ReadFile(folder / "orvex-pass.tlm") == StoredSampleReport("de_DE", log));
    EXPECT_TRUE(ReadFile(folder / "orvex-pass.csv") == StoredSampleExport("de_DE"));
    EXPECT_TRUE(window.StatusText().contains("Bericht geschrieben"));
}

// Every text of the window has its German translation.
TEST(GermanTranslation, IsComplete) {
    QFile ts(QStringLiteral(ORVEX_SOURCE_DIR "/app/translations/orvex_de.ts"));
    ASSERT_TRUE(ts.open(QIODevice::ReadOnly));
    QXmlStreamReader xml(&ts);
    int messages = 0;
    QString source;
    while (!xml.atEnd()) {
        xml.readNext();
        if (xml.isStartElement() && xml.name() == u"source") {
            source = xml.readElementText();
        } else if (xml.isStartElement() && xml.name() == u"translation") {
            ++messages;
            EXPECT_TRUE(xml.attributes().value("type").isEmpty()) << source;
            EXPECT_FALSE(xml.readElementText().isEmpty()) << source;
        }
    }
    EXPECT_FALSE(xml.hasError()) << xml.errorString().toStdString();
    EXPECT_GT(messages, 50);
}

}  // namespace
}  // namespace orvex::test
