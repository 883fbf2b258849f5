#pragma once

#include <QLineEdit>
#include <QString>

namespace orvex {

// A field that holds a path. While it is not being edited, a path too long
// for it is shown cut in the middle, so that both the start of its folders
// and the file's name stay in view; the whole path is told on hover. Edited,
// it is a plain line edit.
class PathField : public QLineEdit {
    Q_OBJECT
public:
    PathField(const QString& path, QWidget* parent);

    // What the field shows while it is not being edited.
    QString ShownText() const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QRect TextRoom() const;
};

}  // namespace orvex
