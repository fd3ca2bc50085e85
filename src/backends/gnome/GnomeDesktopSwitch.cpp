#include "backends/gnome/GnomeDesktopSwitch.h"

#include "backends/gnome/ShellExtensions.h"
#include "common/Logging.h"
#include "common/UserDefaults.h"

#include <QCoreApplication>

namespace hushpane {

namespace {

QString failure(const QString& message) {
    QString text = GnomeDesktopSwitch::tr("Couldn't change the GNOME desktop: %1").arg(message);
    qCCritical(lcDesktop).noquote() << text;
    return text;
}

bool isOff(int state) {
    return state == ShellExtensions::disabled || state == ShellExtensions::initialized;
}

}  // namespace

GnomeDesktopSwitch::GnomeDesktopSwitch(ShellExtensions& extensions, UserDefaults& defaults)
    : extensions_(extensions), defaults_(defaults) {}

GnomeDesktopSwitch::~GnomeDesktopSwitch() {
    extensions_.setChangeHandler({});
}

QStringList GnomeDesktopSwitch::iconsExtensions() {
    return {QStringLiteral("ding@rastersoft.com"), QStringLiteral("gtk4-ding@smedius.gitlab.com"),
            QStringLiteral("desktop-icons@csoriano")};
}

void GnomeDesktopSwitch::setExternalChangeHandler(std::function<void()> handler) {
    extensions_.setChangeHandler(std::move(handler));
}

QStringList GnomeDesktopSwitch::savedExtensions() const {
    const std::optional<QVariantList> saved =
        defaults_.arrayForKey(QString::fromLatin1(kSavedExtensionsKey));
    QStringList uuids;
    for (const QVariant& uuid : saved.value_or(QVariantList())) {
        // Only the extensions Hushpane knows: a stored list is never a way to switch others.
        if (uuid.typeId() == QMetaType::QString && iconsExtensions().contains(uuid.toString()) &&
            !uuids.contains(uuid.toString())) {
            uuids.append(uuid.toString());
        }
    }
    return uuids;
}

bool GnomeDesktopSwitch::saveExtensions(const QStringList& uuids) {
    const QString key = QString::fromLatin1(kSavedExtensionsKey);
    if (uuids.isEmpty()) {
        defaults_.removeObjectForKey(key);
    } else {
        defaults_.setObject(key, QVariant(QVariantList(uuids.cbegin(), uuids.cend())));
    }
    return defaults_.lastWriteSucceeded();
}

bool GnomeDesktopSwitch::createsDesktop() {
    const QStringList saved = savedExtensions();
    QStringList stillOff;
    for (const QString& uuid : saved) {
        const ShellExtensions::Lookup found = extensions_.extension(uuid);
        if (found.error) {
            // Not known now; the Shell's return tells again.
            return true;
        }
        if (found.info && isOff(found.info->state)) {
            stillOff.append(uuid);
        }
    }
    if (stillOff != saved) {
        // Switched on by the user meanwhile, or gone: nothing to give back for those.
        qCInfo(lcDesktop).noquote() << QStringLiteral("GNOME icons extensions on again: %1")
                                           .arg(saved.join(QStringLiteral(", ")));
        saveExtensions(stillOff);
    }
    return stillOff.isEmpty();
}

std::optional<QString> GnomeDesktopSwitch::setCreatesDesktop(bool createsDesktop) {
    return createsDesktop ? showIcons() : hideIcons();
}

QString GnomeDesktopSwitch::nothingToHide(const QString& uuid, const std::optional<int>& state,
                                          const QString& detail) const {
    if (!state) {
        return tr(
            "GNOME shows no desktop icons without a desktop icons extension, and none is "
            "installed (Debian: gnome-shell-extension-desktop-icons-ng); nothing was "
            "changed");
    }
    switch (*state) {
        case ShellExtensions::error:
            return tr("the desktop icons extension %1 failed in GNOME "
                      "Shell (%2), so there are no icons to hide; nothing "
                      "was changed")
                .arg(uuid, detail.isEmpty() ? tr("no reason given") : detail);
        case ShellExtensions::outOfDate:
            return tr("the desktop icons extension %1 does not run on this "
                      "GNOME Shell version, so there are no icons to "
                      "hide; nothing was changed")
                .arg(uuid);
        default:
            return tr("the desktop icons extension %1 is switched off, so "
                      "GNOME shows no desktop icons to hide; nothing was "
                      "changed")
                .arg(uuid);
    }
}

std::optional<QString> GnomeDesktopSwitch::hideIcons() {
    const QStringList saved = savedExtensions();
    QStringList on;
    QStringList offByUs;
    QString firstFound;
    std::optional<int> firstState;
    QString firstError;
    for (const QString& uuid : iconsExtensions()) {
        const ShellExtensions::Lookup found = extensions_.extension(uuid);
        if (found.error) {
            return failure(*found.error);
        }
        if (!found.info) {
            continue;
        }
        if (found.info->state == ShellExtensions::enabled) {
            if (!found.info->canChange) {
                return failure(tr("GNOME Shell doesn't let the desktop icons extension %1 be "
                                  "switched off (it is locked); nothing was changed")
                                   .arg(uuid));
            }
            on.append(uuid);
        } else if (saved.contains(uuid) && isOff(found.info->state)) {
            offByUs.append(uuid);
        } else if (!firstState) {
            firstFound = uuid;
            firstState = found.info->state;
            firstError = found.info->error;
        }
    }
    if (on.isEmpty()) {
        if (!offByUs.isEmpty()) {
            // Hidden already, by an earlier run or request.
            return std::nullopt;
        }
        return failure(nothingToHide(firstFound, firstState, firstError));
    }
    // Kept before anything is switched, so a crash right after still knows what to give back.
    QStringList keep = offByUs;
    keep.append(on);
    if (!saveExtensions(keep)) {
        saveExtensions(saved);
        return failure(
            tr("couldn't keep which extension to switch back on later; nothing was changed"));
    }
    QStringList switched;
    for (const QString& uuid : on) {
        if (auto error = extensions_.setEnabled(uuid, false)) {
            // All or nothing: what was switched off here goes back on.
            for (const QString& back : switched) {
                extensions_.setEnabled(back, true);
            }
            saveExtensions(offByUs);
            return failure(*error);
        }
        switched.append(uuid);
        qCInfo(lcDesktop).noquote()
            << QStringLiteral("GNOME desktop icons extension %1 switched off").arg(uuid);
    }
    return std::nullopt;
}

std::optional<QString> GnomeDesktopSwitch::showIcons() {
    const QStringList saved = savedExtensions();
    QStringList left;
    std::optional<QString> result;
    for (const QString& uuid : saved) {
        const ShellExtensions::Lookup found = extensions_.extension(uuid);
        if (found.error) {
            left.append(uuid);
            result = result.value_or(*found.error);
            continue;
        }
        if (!found.info) {
            result = result.value_or(
                GnomeDesktopSwitch::tr("the desktop icons extension %1 is no longer installed, "
                                       "so GNOME shows no desktop icons")
                    .arg(uuid));
            continue;
        }
        if (found.info->state == ShellExtensions::enabled) {
            continue;
        }
        if (auto error = extensions_.setEnabled(uuid, true)) {
            left.append(uuid);
            result = result.value_or(*error);
            continue;
        }
        qCInfo(lcDesktop).noquote()
            << QStringLiteral("GNOME desktop icons extension %1 switched back on").arg(uuid);
    }
    if (left != saved && !saveExtensions(left)) {
        qCWarning(lcDesktop).noquote()
            << QStringLiteral("Couldn't forget the GNOME extensions switched back on");
    }
    if (result) {
        return failure(*result);
    }
    return std::nullopt;
}

QString GnomeDesktopSwitch::description() const {
    return tr("GNOME desktop (desktop icons extension)");
}

QString GnomeDesktopSwitch::explanation() const {
    return tr(
        "GNOME Shell switches its desktop icons extension off, so the files and folders on the "
        "desktop disappear; the wallpaper and open windows stay. Showing them switches the "
        "extension back on.");
}

}  // namespace hushpane
