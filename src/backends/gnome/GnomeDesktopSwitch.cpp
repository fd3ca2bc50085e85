#include "backends/gnome/GnomeDesktopSwitch.h"

#include "backends/gnome/ShellExtensions.h"
#include "backends/linux/AwaitAnswer.h"
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
    return awaitAnswer<std::optional<QString>>(
        [this, createsDesktop](const auto& done) { requestCreatesDesktop(createsDesktop, done); });
}

void GnomeDesktopSwitch::requestCreatesDesktop(bool createsDesktop, const Completion& done) {
    if (createsDesktop) {
        showIcons(done);
    } else {
        hideIcons(done);
    }
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

void GnomeDesktopSwitch::hideIcons(const Completion& done) {
    const QStringList saved = savedExtensions();
    QStringList on;
    QStringList offByUs;
    QString firstFound;
    std::optional<int> firstState;
    QString firstError;
    for (const QString& uuid : iconsExtensions()) {
        const ShellExtensions::Lookup found = extensions_.extension(uuid);
        if (found.error) {
            done(failure(*found.error));
            return;
        }
        if (!found.info) {
            continue;
        }
        if (found.info->state == ShellExtensions::enabled) {
            if (!found.info->canChange) {
                done(failure(tr("GNOME Shell doesn't let the desktop icons extension %1 be "
                                "switched off (it is locked); nothing was changed")
                                 .arg(uuid)));
                return;
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
            done(std::nullopt);
            return;
        }
        done(failure(nothingToHide(firstFound, firstState, firstError)));
        return;
    }
    // Kept before anything is switched, so a crash right after still knows what to give back.
    QStringList keep = offByUs;
    keep.append(on);
    if (!saveExtensions(keep)) {
        saveExtensions(saved);
        done(failure(
            tr("couldn't keep which extension to switch back on later; nothing was changed")));
        return;
    }
    switchOff(on, {}, offByUs, done);
}

void GnomeDesktopSwitch::switchOff(QStringList left, QStringList switched,
                                   const QStringList& offByUs, const Completion& done) {
    if (left.isEmpty()) {
        done(std::nullopt);
        return;
    }
    const QString uuid = left.takeFirst();
    extensions_.setEnabledThen(
        uuid, false,
        [this, alive = std::weak_ptr<int>(alive_), uuid, left, switched, offByUs,
         done](const std::optional<QString>& error) mutable {
            if (!alive.lock()) {
                return;
            }
            if (error) {
                // All or nothing: what was switched off here goes back on.
                for (const QString& back : switched) {
                    extensions_.setEnabledThen(back, true, [](const std::optional<QString>&) {});
                }
                saveExtensions(offByUs);
                done(failure(*error));
                return;
            }
            qCInfo(lcDesktop).noquote()
                << QStringLiteral("GNOME desktop icons extension %1 switched off").arg(uuid);
            switched.append(uuid);
            switchOff(left, switched, offByUs, done);
        });
}

void GnomeDesktopSwitch::showIcons(const Completion& done) {
    const QStringList saved = savedExtensions();
    QStringList left;
    QStringList off;
    QString error;
    for (const QString& uuid : saved) {
        const ShellExtensions::Lookup found = extensions_.extension(uuid);
        if (found.error) {
            left.append(uuid);
            error = error.isEmpty() ? *found.error : error;
            continue;
        }
        if (!found.info) {
            if (error.isEmpty()) {
                error = tr("the desktop icons extension %1 is no longer installed, so GNOME "
                           "shows no desktop icons")
                            .arg(uuid);
            }
            continue;
        }
        if (found.info->state != ShellExtensions::enabled) {
            off.append(uuid);
        }
    }
    switchOn(off, left, error, done);
}

void GnomeDesktopSwitch::switchOn(QStringList left, QStringList stillOff, QString error,
                                  const Completion& done) {
    if (left.isEmpty()) {
        if (stillOff != savedExtensions() && !saveExtensions(stillOff)) {
            qCWarning(lcDesktop).noquote()
                << QStringLiteral("Couldn't forget the GNOME extensions switched back on");
        }
        done(error.isEmpty() ? std::nullopt : std::optional<QString>(failure(error)));
        return;
    }
    const QString uuid = left.takeFirst();
    extensions_.setEnabledThen(
        uuid, true,
        [this, alive = std::weak_ptr<int>(alive_), uuid, left, stillOff, error,
         done](const std::optional<QString>& failed) mutable {
            if (!alive.lock()) {
                return;
            }
            if (failed) {
                stillOff.append(uuid);
                error = error.isEmpty() ? *failed : error;
            } else {
                qCInfo(lcDesktop).noquote()
                    << QStringLiteral("GNOME desktop icons extension %1 switched back on")
                           .arg(uuid);
            }
            switchOn(left, stillOff, error, done);
        });
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
