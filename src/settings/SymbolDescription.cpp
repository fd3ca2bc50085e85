#include "settings/SymbolDescription.h"

#include <QCoreApplication>

#include <array>

namespace hushpane::settings {

namespace {

struct Spoken {
    const char* symbol;
    const char* words;
};

constexpr std::array<Spoken, 21> kSpoken{{
    {"rectangle.grid.2x2", QT_TRANSLATE_NOOP("hushpane::settings::Symbol", "four squares")},
    {"sparkles", QT_TRANSLATE_NOOP("hushpane::settings::Symbol", "sparkles")},
    {"lamp.desk", QT_TRANSLATE_NOOP("hushpane::settings::Symbol", "a desk lamp")},
    {"lamp.desk.fill", QT_TRANSLATE_NOOP("hushpane::settings::Symbol", "a filled desk lamp")},
    {"menubar.dock.rectangle",
     QT_TRANSLATE_NOOP("hushpane::settings::Symbol", "a screen with a dock")},
    {"menubar.rectangle", QT_TRANSLATE_NOOP("hushpane::settings::Symbol", "an empty screen")},
    {"eye", QT_TRANSLATE_NOOP("hushpane::settings::Symbol", "an eye")},
    {"eye.slash", QT_TRANSLATE_NOOP("hushpane::settings::Symbol", "a crossed-out eye")},
    {"square.grid.3x3", QT_TRANSLATE_NOOP("hushpane::settings::Symbol", "nine squares")},
    {"square", QT_TRANSLATE_NOOP("hushpane::settings::Symbol", "a square")},
    {"circle.grid.2x2", QT_TRANSLATE_NOOP("hushpane::settings::Symbol", "four circles")},
    {"circle", QT_TRANSLATE_NOOP("hushpane::settings::Symbol", "a circle")},
    {"circle.fill", QT_TRANSLATE_NOOP("hushpane::settings::Symbol", "a filled circle")},
    {"wand.and.stars.inverse",
     QT_TRANSLATE_NOOP("hushpane::settings::Symbol", "a filled magic wand")},
    {"wand.and.stars", QT_TRANSLATE_NOOP("hushpane::settings::Symbol", "a magic wand")},
    {"star", QT_TRANSLATE_NOOP("hushpane::settings::Symbol", "a star")},
    {"star.fill", QT_TRANSLATE_NOOP("hushpane::settings::Symbol", "a filled star")},
    {"moon", QT_TRANSLATE_NOOP("hushpane::settings::Symbol", "a moon")},
    {"moon.fill", QT_TRANSLATE_NOOP("hushpane::settings::Symbol", "a filled moon")},
    {"photo", QT_TRANSLATE_NOOP("hushpane::settings::Symbol", "a picture")},
    {"exclamationmark.triangle.fill",
     QT_TRANSLATE_NOOP("hushpane::settings::Symbol", "a warning sign")},
}};

}  // namespace

QString spokenSymbolName(const QString& symbolName) {
    for (const Spoken& s : kSpoken) {
        if (symbolName == QLatin1StringView(s.symbol)) {
            return QCoreApplication::translate("hushpane::settings::Symbol", s.words);
        }
    }
    return QCoreApplication::translate("hushpane::settings::Symbol", "a symbol");
}

}  // namespace hushpane::settings
