#pragma once

#include <QRectF>
#include <QString>
#include <QStringList>
#include <vector>

class QChartView;

namespace orvex::test {

// A text the chart shows: an axis's tick label or title, a time label.
struct ShownText {
    QString text;
    QRectF place;  // in the scene
};

std::vector<ShownText> ShownTexts(const QChartView& chart);
// The texts once the chart has laid them out: the axes are fitted again
// after the plot's layout, which a loaded machine may take a few passes of
// events to finish. They are taken when two looks 50 ms apart agree.
std::vector<ShownText> SettledTexts(const QChartView& chart);
QStringList TextsOf(const std::vector<ShownText>& shown);
// Whether a label was cut short to fit ("..." or "…").
bool AnyElided(const std::vector<ShownText>& shown);
// The first two texts that lie over each other, as "A / B"; "" if none do.
QString FirstOverlap(const std::vector<ShownText>& shown);

}  // namespace orvex::test
