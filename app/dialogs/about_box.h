#pragma once

#include <QWidget>

namespace orvex {

// The about box: title, version, author and a picture. Its one command is
// Close, which Escape and Enter give too; it is modeless and deletes itself
// when closed.
class AboutBox : public QWidget {
    Q_OBJECT
public:
    explicit AboutBox(QWidget* parent);

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void AddVersionFrame();
    void AddContact();
};

// "Version 2.4    (May 31, 2009)": the project's version and release date.
QString VersionLine();

}  // namespace orvex
