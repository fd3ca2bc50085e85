#pragma once

#include <QLocale>
#include <QString>
#include <QStringList>

namespace hushpane {

// Hushpane's texts in the user's language: hushpane_<lang>.qm from
// <prefix>/share/hushpane/translations (build/share/hushpane/translations in the build tree),
// found relative to the program, and Qt's own for its standard dialogs. English needs no file.
class Translations {
public:
    // Where the files are looked for, first match wins.
    static QStringList directories();

    // Installs the translators for `locale` into the running application. False when
    // Hushpane has no translation for it (its texts then stay English).
    static bool install(const QLocale& locale = QLocale::system());
    // The same, looking only in `searchDirectories`.
    static bool install(const QLocale& locale, const QStringList& searchDirectories);
};

}  // namespace hushpane
