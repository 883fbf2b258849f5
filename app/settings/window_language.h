#pragma once

#include <QTranslator>

class QLocale;

namespace orvex {

// While it lives, the window's texts, and those of Qt's own dialogs, are in
// the first of the locale's languages that has a translation; English when
// none has. The report and the export are files of a fixed format and stay
// as they are.
class WindowLanguage {
public:
    explicit WindowLanguage(const QLocale& locale);
    ~WindowLanguage();
    WindowLanguage(const WindowLanguage&) = delete;
    WindowLanguage& operator=(const WindowLanguage&) = delete;

private:
    QTranslator program_;
    QTranslator qt_;
};

}  // namespace orvex
