#include "tests/gui/chart_labels.h"

#include <QChartView>
#include <QGraphicsScene>
#include <QGraphicsTextItem>
#include <QTest>
#include <utility>

namespace orvex::test {

std::vector<ShownText> ShownTexts(const QChartView& chart) {
    std::vector<ShownText> shown;
    for (QGraphicsItem* item : chart.scene()->items()) {
        const auto* text = dynamic_cast<QGraphicsTextItem*>(item);
        if (text != nullptr && text->isVisible() && !text->toPlainText().isEmpty()) {
            shown.push_back({text->toPlainText(), text->sceneBoundingRect()});
        }
    }
    return shown;
}

std::vector<ShownText> SettledTexts(const QChartView& chart) {
    QStringList before;
    std::vector<ShownText> shown;
    // Texts that never settle are returned as they are: the test then
    // judges what was shown.
    static_cast<void>(QTest::qWaitFor(
        [&] {
            QTest::qWait(50);
            shown = ShownTexts(chart);
            const QStringList now = TextsOf(shown);
            return std::exchange(before, now) == now;
        },
        3000));
    return shown;
}

QStringList TextsOf(const std::vector<ShownText>& shown) {
    QStringList texts;
    for (const ShownText& one : shown) {
        texts.append(one.text);
    }
    return texts;
}

bool AnyElided(const std::vector<ShownText>& shown) {
    for (const ShownText& one : shown) {
        if (one.text.contains(QStringLiteral("...")) || one.text.contains(QChar(0x2026))) {
            return true;
        }
    }
    return false;
}

QString FirstOverlap(const std::vector<ShownText>& shown) {
    for (std::size_t i = 0; i < shown.size(); ++i) {
        for (std::size_t j = i + 1; j < shown.size(); ++j) {
            // A text item's box has a margin of a few pixels round its
            // glyphs: neighbours may touch there.
            const QRectF a = shown[i].place.adjusted(3, 3, -3, -3);
            const QRectF b = shown[j].place.adjusted(3, 3, -3, -3);
            if (a.intersects(b)) {
                return shown[i].text + QStringLiteral(" / ") + shown[j].text;
            }
        }
    }
    return {};
}

}  // namespace orvex::test
