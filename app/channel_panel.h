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

    void SetText1(int row, const QString& text);
    void SetLabel1Caption(int row, const QString& text);
    void SetLabel2Caption(int row, const QString& text);

    // Sets the row's selector; a selector that was already set starts nothing.
    void SetOption1(int row);

signals:
    void channelSelected(int row);

private:
    void AddRow(int row, QWidget* frame, int left, int top);
    void SelectChannel(int row);

    std::array<QAbstractButton*, kChannelCount> option1_{};
    std::array<QLabel*, kChannelCount> label1_{};
    std::array<QLineEdit*, kChannelCount> text1_{};
    std::array<QLabel*, kChannelCount> label2_{};
};

}  // namespace orvex
