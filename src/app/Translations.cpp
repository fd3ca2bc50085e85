#include "app/Translations.h"

#include <QCoreApplication>
#include <QDir>
#include <QLibraryInfo>
#include <QTranslator>

#ifndef HUSHPANE_TRANSLATIONS_DIR_FROM_BIN
#define HUSHPANE_TRANSLATIONS_DIR_FROM_BIN "../share/hushpane/translations"
#endif

namespace hushpane {

QStringList Translations::directories() {
    const QDir programDir(QCoreApplication::applicationDirPath());
    return {programDir.filePath(QStringLiteral("translations")),
            QDir::cleanPath(
                programDir.filePath(QString::fromUtf8(HUSHPANE_TRANSLATIONS_DIR_FROM_BIN)))};
}

bool Translations::install(const QLocale& locale) {
    // Owned by the application: translators stay installed until the process ends.
    auto* qt = new QTranslator(QCoreApplication::instance());
    if (qt->load(locale, QStringLiteral("qtbase"), QStringLiteral("_"),
                 QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        QCoreApplication::installTranslator(qt);
    } else {
        delete qt;
    }
    for (const QString& directory : directories()) {
        auto* own = new QTranslator(QCoreApplication::instance());
        if (own->load(locale, QStringLiteral("hushpane"), QStringLiteral("_"), directory)) {
            QCoreApplication::installTranslator(own);
            return true;
        }
        delete own;
    }
    return false;
}

}  // namespace hushpane
