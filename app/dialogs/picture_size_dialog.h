#pragma once

#include <QDialog>
#include <QSize>
#include <optional>

class QSpinBox;

namespace orvex {

// The size in pixels of a chart's picture about to be saved, within the
// sizes a picture may have.
class PictureSizeDialog : public QDialog {
    Q_OBJECT
public:
    PictureSizeDialog(const QSize& start, QWidget* parent);

    QSize Size() const;
    // The size chosen, or nothing when cancelled.
    static std::optional<QSize> Ask(const QSize& start, QWidget* parent);

private:
    QSpinBox* width_;
    QSpinBox* height_;
};

}  // namespace orvex
