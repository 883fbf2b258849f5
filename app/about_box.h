#pragma once

#include <QWidget>

namespace orvex {

// The about box: title, version, author and a picture. It has no commands;
// it is modeless and deletes itself when closed.
class Info : public QWidget {
    Q_OBJECT
public:
    explicit Info(QWidget* parent);

private:
    void AddVersionFrame();
    void AddContact();
};

// "Version 2.4    (May 31, 2009)"
QString VersionLine();

}  // namespace orvex
