// orvex-archive-chart DB [CHANNEL]: times the chart of one channel over all
// the archive DB holds (a year of passes, in bench/run), as the window draws
// it with the chart's range "Archive: all": the span the archive holds, each
// pixel column's lowest and highest value reduced by the database, and the
// whole draw (the queries, the series, the layout and the paint), at the
// window's first size and at a full-screen one. Prints the median and the
// slowest of 15 runs.
#include <QApplication>
#include <QLocale>

#include <cstdio>
#include <cstdlib>
#include <memory>

#include "app/chart/archive_channel_history.h"
#include "app/chart/history_chart.h"
#include "archive/archive_database.h"
#include "bench/repeated_timing.h"
#include "text/locale_format.h"

namespace {

using orvex::bench::Print;
using orvex::bench::Time;

}  // namespace

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "Usage: orvex-archive-chart DB [CHANNEL]\n");
        return 2;
    }
    const int channel = argc > 2 ? std::atoi(argv[2]) : 0;
    orvex::ArchiveDatabase database(orvex::ParseArchiveLocation(argv[1]));
    if (!database.Open()) {
        std::fprintf(stderr, "%s\n", database.LastError().c_str());
        return 1;
    }
    const auto history = std::make_shared<orvex::ArchiveChannelHistory>();
    if (!history->Show(database, std::nullopt) || !history->Held()) {
        std::fprintf(stderr, "no telemetry: %s\n", history->Problem().c_str());
        return 1;
    }
    std::printf("telemetry over %.1f days\n",
                static_cast<double>(history->Held()->to - history->Held()->from) / 86400);
    Print("the span held (Archive: all chosen)",
          Time([&] { history->Show(database, std::nullopt); }));

    const orvex::LocaleFormat format{QLocale(QLocale::English, QLocale::UnitedKingdom)};
    for (const QSize size : {QSize(705, 225), QSize(1900, 700)}) {
        orvex::HistoryChart chart(format, nullptr);
        chart.resize(size);
        chart.show();
        // The layout and the paint are the window's next turn of its loop.
        const auto paint = [] { QCoreApplication::processEvents(); };
        paint();
        std::printf("\nchart of %d x %d pixels\n", size.width(), size.height());
        Print("each column's extremes, by the database", Time([&] {
                  if (history->Series(channel, *history->Extent(), size.width()).empty()) {
                      std::abort();
                  }
              }));
        Print("the channel charted: queried, laid out, painted", Time([&] {
                  chart.ForgetHistory();
                  chart.ShowChannels({channel}, history);
                  paint();
              }));
    }
    return 0;
}
