#pragma once

#include <QLayout>
#include <QList>
#include <QRect>

namespace orvex {

// Keeps each widget at the place its geometry gave it when it was added, and
// lets the ones anchored to the right or bottom edge follow that edge when
// the container grows: a widget anchored on both sides of an axis stretches
// along it. The least size is the container's minimum; below it nothing
// moves.
class AnchoredLayout : public QLayout {
public:
    enum Anchor { kNone = 0, kRight = 1, kBottom = 2, kStretchWidth = 4, kStretchHeight = 8 };

    AnchoredLayout(QWidget* container, QSize leastSize);
    ~AnchoredLayout() override;

    // `anchors` is a combination of Anchor values.
    void AddWidget(QWidget* widget, int anchors = kNone);

    void addItem(QLayoutItem* item) override;
    int count() const override { return static_cast<int>(items_.size()); }
    QLayoutItem* itemAt(int index) const override;
    QLayoutItem* takeAt(int index) override;
    QSize sizeHint() const override { return leastSize_; }
    QSize minimumSize() const override { return leastSize_; }
    void setGeometry(const QRect& rect) override;

private:
    struct Placed {
        QLayoutItem* item;
        QRect leastRect;
        int anchors;
    };

    QSize leastSize_;
    QList<Placed> items_;
};

}  // namespace orvex
