#pragma once

#include <QWidget>
#include <array>

#include "telemetry/channel_table.h"

class QAbstractButton;
class QLabel;
class QLineEdit;

namespace orvex {

// The 38 channel rows in their four captioned frames: a selector, the
// channel's name, its value and its unit. Selecting a row highlights its
// value field and asks for its chart.
class ChannelPanel : public QWidget {
    Q_OBJECT
public:
    explicit ChannelPanel(QWidget* parent);

    void ShowLabels(int row, const QString& name, const QString& unit);
    void ShowValue(int row, const QString& text);

    // Selects the row as a click on its selector would, and asks for its
    // chart even when the row was selected already.
    void Select(int row);

signals:
    void ChannelSelected(int row);

private:
    void AddRow(int row, QWidget* frame, int left, int top);
    void SelectChannel(int row);

    std::array<QAbstractButton*, kChannelCount> selectors_{};
    std::array<QLabel*, kChannelCount> names_{};
    std::array<QLineEdit*, kChannelCount> values_{};
    std::array<QLabel*, kChannelCount> units_{};
};

}  // namespace orvex
