#pragma once

#include <QLabel>
#include <QString>

namespace orvex {

// The status line under the window. A text too long for its width is shown
// in a short form, each path cut to its file's name and, if that is not
// enough, cut in the middle; the whole text is told on hover.
class StatusLine : public QLabel {
    Q_OBJECT
public:
    explicit StatusLine(QWidget* parent);

    void ShowText(const QString& text);
    const QString& WholeText() const { return whole_; }

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void Fit();

    QString whole_;
};

}  // namespace orvex
