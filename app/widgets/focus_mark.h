#pragma once

#include <QWidget>

namespace orvex {

// A frame in the highlight colour round a widget while it has the keyboard
// focus, for widgets whose style shows none (a scroll bar, the chart). It
// lies over the widget, takes no mouse or keys and follows its size.
class FocusMark : public QWidget {
    Q_OBJECT
public:
    explicit FocusMark(QWidget* marked);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
};

}  // namespace orvex
