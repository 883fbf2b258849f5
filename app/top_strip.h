#pragma once

#include <QWidget>

class QAbstractItemModel;
class QLineEdit;
class QListView;
class QScrollBar;

namespace orvex {

// The strip above the channel panel: the record's time, the frame list, the
// software version, the record scroll bar and the record position, between
// the two black lines.
class TopStrip : public QWidget {
public:
    TopStrip(QAbstractItemModel* frameList, QWidget* parent);

    // Index 1 is the software version, 3 the record's time.
    void SetText3(int index, const QString& text);
    void SetText2(const QString& text);
    QScrollBar* HScroll1() const { return hScroll1_; }

private:
    void AddLine(const char* name, int top);
    void AddFrameList(QAbstractItemModel* frameList);
    void AddScrollBar();

    QLineEdit* text3Time_ = nullptr;
    QLineEdit* text3Version_ = nullptr;
    QLineEdit* text2_ = nullptr;
    QScrollBar* hScroll1_ = nullptr;
};

}  // namespace orvex
