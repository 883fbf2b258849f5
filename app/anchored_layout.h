#pragma once

#include <QLayout>
#include <QList>
#include <QRect>

namespace orvex {

// Keeps each widget at its place in the design, and lets the ones anchored
// to the right or bottom edge follow that edge when the container grows:
// a widget anchored on both sides of an axis stretches along it. The design
// size is the container's minimum; below it nothing moves.
class AnchoredLayout : public QLayout {
public:
    enum Anchor { kNone = 0, kRight = 1, kBottom = 2, kStretchWidth = 4, kStretchHeight = 8 };

    AnchoredLayout(QWidget* container, QSize designSize);
    ~AnchoredLayout() override;

    // `anchors` is a combination of Anchor values.
    void AddWidget(QWidget* widget, int anchors = kNone);

    void addItem(QLayoutItem* item) override;
    int count() const override { return static_cast<int>(items_.size()); }
    QLayoutItem* itemAt(int index) const override;
    QLayoutItem* takeAt(int index) override;
    QSize sizeHint() const override { return designSize_; }
    QSize minimumSize() const override { return designSize_; }
    void setGeometry(const QRect& rect) override;

private:
    struct Placed {
        QLayoutItem* item;
        QRect designRect;
        int anchors;
    };

    QSize designSize_;
    QList<Placed> items_;
};

}  // namespace orvex
