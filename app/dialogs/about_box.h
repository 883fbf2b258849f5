#pragma once

#include <QWidget>

namespace orvex {

// The about box: title, version, author and a picture. It has no commands;
// it is modeless and deletes itself when closed.
class AboutBox : public QWidget {
    Q_OBJECT
public:
    explicit AboutBox(QWidget* parent);

private:
    void AddVersionFrame();
    void AddContact();
};

// "Version 2.4    (May 31, 2009)": the project's version and release date.
QString VersionLine();

}  // namespace orvex
