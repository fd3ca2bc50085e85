#include "backends/cinnamon/CinnamonDesktopSwitch.h"

#include "common/Logging.h"
#include "common/UserDefaults.h"

#include <QCoreApplication>
#include <QStringList>

namespace hushpane {

namespace {

QString savedKey() {
    return QString::fromLatin1(CinnamonDesktopSwitch::kSavedLayoutKey);
}

}  // namespace

CinnamonDesktopSwitch::CinnamonDesktopSwitch(SettingsStore& store, DesktopProgram& nemoDesktop,
                                             UserDefaults& defaults)
    : GSettingsDesktopSwitch(
          store, nemoDesktop,
          {QString::fromLatin1(kSchema), QString::fromLatin1(kKey), QMetaType::QString},
          QStringLiteral("Cinnamon")),
      defaults_(defaults) {}

bool CinnamonDesktopSwitch::layoutShowsIcons(const QString& layout) {
    const QStringList parts = layout.split(QStringLiteral("::"));
    if (parts.size() != 2) {
        return false;
    }
    bool any = false;
    for (const QString& part : parts) {
        if (part != QLatin1String("true") && part != QLatin1String("false")) {
            return false;
        }
        any = any || part == QLatin1String("true");
    }
    return any;
}

bool CinnamonDesktopSwitch::showsIcons(const QVariant& value) const {
    // nemo-desktop reads anything but "false" on a monitor as icons there.
    return value.toString() != QLatin1String(kHidden);
}

QVariant CinnamonDesktopSwitch::hiddenValue(const QVariant& shown) {
    const QString layout = shown.toString();
    if (layoutShowsIcons(layout)) {
        defaults_.setString(savedKey(), layout);
        if (!defaults_.lastWriteSucceeded()) {
            qCWarning(lcDesktop).noquote()
                << QStringLiteral("Couldn't save the Cinnamon desktop layout %1").arg(layout);
        }
    } else {
        qCWarning(lcDesktop).noquote()
            << QStringLiteral("Not saving the unknown Cinnamon desktop layout %1").arg(layout);
    }
    return QString::fromLatin1(kHidden);
}

QVariant CinnamonDesktopSwitch::shownValue() {
    const std::optional<QString> saved = defaults_.stringForKey(savedKey());
    if (saved && layoutShowsIcons(*saved)) {
        return *saved;
    }
    if (saved) {
        qCWarning(lcDesktop).noquote()
            << QStringLiteral("Ignoring the saved Cinnamon desktop layout %1").arg(*saved);
    }
    return QString::fromLatin1(kDefaultLayout);
}

QString CinnamonDesktopSwitch::explanation() const {
    return QCoreApplication::translate(
        "hushpane::CinnamonDesktopSwitch",
        "nemo-desktop stops drawing the files and folders on every monitor; the "
        "wallpaper and open windows stay, nothing restarts.");
}

void CinnamonDesktopSwitch::shown() {
    defaults_.removeObjectForKey(savedKey());
}

}  // namespace hushpane
