#include "app/Translations.h"

#include <QCoreApplication>
#include <QDir>
#include <QLibraryInfo>
#include <QTranslator>

#ifndef HUSHPANE_TRANSLATIONS_DIR_FROM_PROGRAM
#define HUSHPANE_TRANSLATIONS_DIR_FROM_PROGRAM "../../share/hushpane/translations"
#endif

namespace hushpane {

QStringList Translations::directories() {
    const QDir programDir(QCoreApplication::applicationDirPath());
    return {QDir::cleanPath(
        programDir.filePath(QString::fromUtf8(HUSHPANE_TRANSLATIONS_DIR_FROM_PROGRAM)))};
}

bool Translations::install(const QLocale& locale) {
    return install(locale, directories());
}

bool Translations::install(const QLocale& locale, const QStringList& searchDirectories) {
    // Owned by the application: translators stay installed until the process ends.
    auto* qt = new QTranslator(QCoreApplication::instance());
    if (qt->load(locale, QStringLiteral("qtbase"), QStringLiteral("_"),
                 QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        QCoreApplication::installTranslator(qt);
    } else {
        delete qt;
    }
    bool found = false;
    // The program's texts, and the shortcut library's own, from the same directory.
    for (const QString& directory : searchDirectories) {
        for (const QString& name :
             {QStringLiteral("hushpane"), QStringLiteral("keyboard_shortcuts")}) {
            auto* translator = new QTranslator(QCoreApplication::instance());
            if (translator->load(locale, name, QStringLiteral("_"), directory)) {
                QCoreApplication::installTranslator(translator);
                found = found || name == u"hushpane";
            } else {
                delete translator;
            }
        }
        if (found) {
            return true;
        }
    }
    return false;
}

}  // namespace hushpane
