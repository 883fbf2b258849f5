// orvex-chart-draw [FRAMES]: times the chart of one channel over a history of
// FRAMES TLM frames (2,000,000 by default, four days of them): the thinning
// alone, then the whole draw as a load's end, a channel's selection or a zoom
// step does it (thinning, the series, the layout and the chart's paint on
// its window), at the window's first size and at a full-screen one. Prints
// the median and the slowest of 15 runs, and the paints counted.
#include <QApplication>
#include <QLocale>
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <random>

#include "app/chart/history_chart.h"
#include "bench/repeated_timing.h"
#include "telemetry/telemetry_history.h"
#include "text/locale_format.h"

namespace {

using orvex::bench::kRuns;
using orvex::bench::Print;
using orvex::bench::Time;

constexpr std::uint32_t kStart = 1772366400;  // 2026-03-01 12:00:00 UTC

// Every channel wanders as a random walk, so that every pixel column has a
// different lowest and highest value to find.
void Fill(orvex::TelemetryHistory& history, std::size_t frames) {
    std::mt19937 random(1);
    orvex::TelemetryHistory::RawChannels raw{};
    raw.fill(128);
    const double step = 4.0 * 86400 / static_cast<double>(frames);
    for (std::size_t i = 0; i < frames; ++i) {
        for (auto& byte : raw) {
            byte = static_cast<std::uint8_t>(
                std::clamp(byte + static_cast<int>(random() % 5) - 2, 0, 255));
        }
        history.Add(kStart + static_cast<std::uint32_t>(static_cast<double>(i) * step), raw);
    }
}

// Counts the paints of a widget.
class PaintCounter : public QObject {
public:
    int paints = 0;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        paints += event->type() == QEvent::Paint ? 1 : 0;
        return QObject::eventFilter(watched, event);
    }
};

}  // namespace

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    const std::size_t frames = argc > 1 ? std::strtoull(argv[1], nullptr, 10) : 2000000;
    const auto shared = std::make_shared<orvex::TelemetryHistory>();
    orvex::TelemetryHistory& history = *shared;
    Fill(history, frames);
    std::printf("%zu frames over four days, %.1f MB of history (%.1f bytes a frame)\n", frames,
                static_cast<double>(history.BytesHeld()) / 1e6,
                static_cast<double>(history.BytesHeld()) / static_cast<double>(frames));

    const orvex::LocaleFormat format{QLocale(QLocale::English, QLocale::UnitedKingdom)};
    for (const QSize size : {QSize(705, 225), QSize(1900, 700)}) {
        orvex::HistoryChart chart(format, nullptr);
        chart.resize(size);
        chart.show();
        // The layout and the paint are the window's next turn of its loop.
        const auto paint = [] { QCoreApplication::processEvents(); };
        paint();
        PaintCounter counter;
        chart.viewport()->installEventFilter(&counter);
        std::printf("\nchart of %d x %d pixels\n", size.width(), size.height());
        Print("thinning alone (one pass over the history)", Time([&] {
                  const auto points = history.Series(0, *history.Extent(), size.width());
                  if (points.empty()) {
                      std::abort();
                  }
              }));
        int channel = 0;
        Print("a channel selected: thinned, laid out, painted", Time([&] {
                  chart.ShowChannels({channel++ % 38}, shared);
                  paint();
              }));
        int step = 0;
        Print("a zoom step of the wheel, painted", Time([&] {
                  chart.Zoom(++step % 8 < 4 ? 1.25 : 0.8, history.Extent()->first + 3600.0);
                  paint();
              }));
        std::printf("%d paints in %d draws\n", counter.paints, 2 * kRuns);
    }
    return 0;
}
