#pragma once

#include <QColor>
#include <QWidget>
#include <array>
#include <map>
#include <vector>

#include "telemetry/channel_table.h"

class QAbstractButton;
class QLabel;
class QLineEdit;

namespace orvex {

// The 38 channel rows in their four captioned frames: a selector, the
// channel's name, its value and its unit. A click on a selector charts its
// channel alone; with Ctrl held (mouse or Space) it adds the channel to the
// chart, or takes it off. The charted rows' selectors are set and their
// value fields highlighted.
class ChannelPanel : public QWidget {
    Q_OBJECT
public:
    explicit ChannelPanel(QWidget* parent);

    void ShowLabels(int row, const QString& name, const QString& unit);
    // A value the record's frame did not hold (an earlier frame's byte) is
    // greyed and says so on hover.
    void ShowValue(int row, const QString& text, bool fromEarlierFrame);

    // Selects the row alone as a plain click on its selector would, and asks
    // for its chart even when it was charted already.
    void Select(int row);
    // Adds the row to the chart or takes it off, as a Ctrl+click does.
    void Toggle(int row);
    // Beside the selector of each row charted, a swatch of its line's
    // colour, so that the lines can be told apart without the legend; the
    // other rows show none.
    void ShowLineColours(const std::map<int, QColor>& colours);

signals:
    // The rows to chart, the first selected, the others added in turn.
    void ChartedRowsChanged(const std::vector<int>& rows);

private:
    void AddRow(int row, QWidget* frame, int left, int top);
    void ShowCharted();

    std::array<QAbstractButton*, kChannelCount> selectors_{};
    std::array<QLabel*, kChannelCount> names_{};
    std::array<QLineEdit*, kChannelCount> values_{};
    std::array<QLabel*, kChannelCount> units_{};
    std::array<QWidget*, kChannelCount> swatches_{};
    std::vector<int> charted_;
};

}  // namespace orvex
