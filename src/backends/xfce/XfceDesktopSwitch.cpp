#include "backends/xfce/XfceDesktopSwitch.h"

#include "backends/xfce/XfconfPropertyWatcher.h"
#include "common/Logging.h"
#include "common/UserDefaults.h"

#include <QCoreApplication>

namespace hushpane {

namespace {

QString channel() {
    return QString::fromLatin1(XfceDesktopSwitch::kChannel);
}
QString styleProperty() {
    return QString::fromLatin1(XfceDesktopSwitch::kIconStyleProperty);
}

QString failureText(const QString& message) {
    return QCoreApplication::translate("hushpane::XfceDesktopSwitch",
                                       "Couldn't change the XFCE desktop: %1")
        .arg(message);
}

bool isIconStyle(qint64 style) {
    return style == XfceDesktopSwitch::kMinimizedWindowIcons ||
           style == XfceDesktopSwitch::kFileIcons;
}

}  // namespace

XfceDesktopSwitch::XfceDesktopSwitch(XfconfClient xfconf, UserDefaults& defaults)
    : xfconf_(std::move(xfconf)), defaults_(defaults) {}

XfceDesktopSwitch::~XfceDesktopSwitch() {
    xfconf_.setRecoveryHandler({});
}

void XfceDesktopSwitch::setExternalChangeHandler(std::function<void()> handler) {
    watcher_.reset();
    xfconf_.setRecoveryHandler(handler);
    if (handler) {
        watcher_ =
            std::make_unique<XfconfPropertyWatcher>(xfconf_.bus(), channel(), styleProperty());
        QObject::connect(watcher_.get(), &XfconfPropertyWatcher::changed, std::move(handler));
    }
}

bool XfceDesktopSwitch::createsDesktop() {
    const XfconfClient::Value current = xfconf_.property(channel(), styleProperty());
    if (current.error) {
        qCWarning(lcDesktop).noquote()
            << QStringLiteral("Couldn't read the XFCE desktop icon style: %1").arg(*current.error);
        return true;
    }
    if (!current.value) {
        return true;
    }
    const std::optional<qint64> style = xfconfInteger(*current.value);
    return !(style && *style == kNoIcons);
}

std::optional<QString> XfceDesktopSwitch::setCreatesDesktop(bool createsDesktop) {
    return createsDesktop ? showIcons() : hideIcons();
}

std::optional<QString> XfceDesktopSwitch::hideIcons() {
    const XfconfClient::Value current = xfconf_.property(channel(), styleProperty());
    if (current.error) {
        // Without the current style there is nothing safe to remember, so nothing is written.
        qCCritical(lcDesktop).noquote()
            << QStringLiteral("Couldn't read the XFCE desktop icon style: %1").arg(*current.error);
        return failureText(*current.error);
    }
    // A missing style is xfdesktop's default, file icons.
    const std::optional<qint64> style =
        current.value ? xfconfInteger(*current.value) : std::optional<qint64>(kFileIcons);
    const QString was = style ? QString::number(*style) : QStringLiteral("not a number");
    // Already 0 (hidden by an earlier run that ended while hidden): keep what that run saved.
    if (style && *style != kNoIcons) {
        if (isIconStyle(*style)) {
            defaults_.setInteger(QString::fromLatin1(kSavedIconStyleKey), *style);
            if (!defaults_.lastWriteSucceeded()) {
                qCWarning(lcDesktop).noquote()
                    << QStringLiteral("Couldn't save the XFCE desktop icon style %1").arg(*style);
            }
        } else {
            qCWarning(lcDesktop).noquote()
                << QStringLiteral("Not saving the unknown XFCE desktop icon style %1").arg(*style);
        }
    }
    return writeStyle(kNoIcons, QStringLiteral(" (was %1)").arg(was));
}

std::optional<QString> XfceDesktopSwitch::showIcons() {
    int target = savedStyle();
    const XfconfClient::Value current = xfconf_.property(channel(), styleProperty());
    if (current.error) {
        // A daemon that cannot answer a read will not take a write either.
        qCCritical(lcDesktop).noquote()
            << QStringLiteral("Couldn't read the XFCE desktop icon style: %1").arg(*current.error);
        return failureText(*current.error);
    }
    if (current.value) {
        // Icons already drawn (the user picked a style after we hid them, or a second show):
        // that choice wins over what was saved.
        const std::optional<qint64> style = xfconfInteger(*current.value);
        if (style && isIconStyle(*style)) {
            target = static_cast<int>(*style);
        }
    }
    return writeStyle(target, QString());
}

std::optional<QString> XfceDesktopSwitch::writeStyle(int style, const QString& logSuffix) {
    if (auto error = xfconf_.setProperty(channel(), styleProperty(), QVariant(style))) {
        qCCritical(lcDesktop).noquote()
            << QStringLiteral("Couldn't set the XFCE desktop icon style to %1: %2")
                   .arg(style)
                   .arg(*error);
        return failureText(*error);
    }
    qCInfo(lcDesktop).noquote()
        << QStringLiteral("XFCE desktop icon style set to %1%2; xfdesktop applies it live")
               .arg(style)
               .arg(logSuffix);
    return std::nullopt;
}

int XfceDesktopSwitch::savedStyle() const {
    const std::optional<QVariant> stored =
        defaults_.objectForKey(QString::fromLatin1(kSavedIconStyleKey));
    if (!stored) {
        return kFileIcons;
    }
    // Only a number (or its text) that names an icon style; a boolean is never a style.
    const std::optional<qint64> style = xfconfInteger(*stored);
    if (!style || !isIconStyle(*style)) {
        qCWarning(lcDesktop).noquote()
            << QStringLiteral("Ignoring the saved XFCE desktop icon style %1; showing file icons")
                   .arg(stored->toString());
        return kFileIcons;
    }
    return static_cast<int>(*style);
}

QString XfceDesktopSwitch::description() const {
    return QCoreApplication::translate("hushpane::XfceDesktopSwitch", "XFCE desktop (xfdesktop)");
}

QString XfceDesktopSwitch::explanation() const {
    return QCoreApplication::translate(
        "hushpane::XfceDesktopSwitch",
        "Hides every file, folder and disk on the desktop so only the wallpaper shows. The icons "
        "disappear at once; nothing restarts and no window closes.");
}

}  // namespace hushpane
