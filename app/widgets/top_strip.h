#pragma once

#include <QWidget>

class QAbstractItemModel;
class QLineEdit;
class QListView;
class QScrollBar;

namespace orvex {

// The strip above the channel panel: the record's time, the frame list, the
// software version, the record scroll bar and the record position, between
// the two black lines, which run across the window however wide it grows.
class TopStrip : public QWidget {
    Q_OBJECT
public:
    TopStrip(QAbstractItemModel* frameList, QWidget* parent);

    void ShowRecordTime(const QString& text);
    void ShowSoftwareVersion(const QString& text);
    void ShowRecordPosition(const QString& text);
    // A new log is coming: the fields empty, and the scroll bar waits, at
    // its position, for the new log's records.
    void Forget();
    QScrollBar* RecordScrollBar() const { return scrollBar_; }
    QLineEdit* RecordTimeField() const { return recordTime_; }

private:
    QWidget* AddLine(const char* name, int top);
    QListView* AddFrameList(QAbstractItemModel* frameList);
    void AddScrollBar();

    QLineEdit* recordTime_ = nullptr;
    QLineEdit* softwareVersion_ = nullptr;
    QLineEdit* recordPosition_ = nullptr;
    QScrollBar* scrollBar_ = nullptr;
};

}  // namespace orvex
