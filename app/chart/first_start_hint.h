#pragma once

#include <QLabel>

namespace orvex {

// Tells a newcomer, in the middle of the empty chart, how to get a log or a
// stream into the window. It keeps itself centred over the chart and lets the
// mouse and drops through to it.
class FirstStartHint : public QLabel {
    Q_OBJECT
public:
    explicit FirstStartHint(QWidget* chart);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Centre();
};

}  // namespace orvex
