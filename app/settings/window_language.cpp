#include "app/settings/window_language.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>

namespace orvex {

WindowLanguage::WindowLanguage(const QLocale& locale) {
    // Built into the program by qt_add_translations.
    if (program_.load(locale, QStringLiteral("orvex"), QStringLiteral("_"),
                      QStringLiteral(":/i18n"))) {
        QCoreApplication::installTranslator(&program_);
    }
    if (qt_.load(locale, QStringLiteral("qtbase"), QStringLiteral("_"),
                 QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        QCoreApplication::installTranslator(&qt_);
    }
}

WindowLanguage::~WindowLanguage() {
    QCoreApplication::removeTranslator(&qt_);
    QCoreApplication::removeTranslator(&program_);
}

}  // namespace orvex
