#pragma once

#include "platform/DesktopSwitch.h"

#include <QCoreApplication>
#include <QStringList>

namespace hushpane {

class ShellExtensions;
class UserDefaults;

// GNOME: the Shell itself draws no desktop icons; an extension does (Desktop Icons NG on
// Debian and Ubuntu). Hiding switches the icons extension that is on off through the Shell,
// showing switches it back on.
//
// Which extensions Hushpane switched off is kept in the application's defaults before it does
// so: showing and quitting switch on exactly those, and a new start after a crash finds the
// icons hidden when one of them is still off. An extension the user switched off (or that the
// Shell could not start) is the user's: hiding then fails, since there are no icons to hide,
// and nothing Hushpane does switches it on.
class GnomeDesktopSwitch : public DesktopSwitch {
    Q_DECLARE_TR_FUNCTIONS(hushpane::GnomeDesktopSwitch)

public:
    static constexpr auto kSavedExtensionsKey = "gnomeIconsExtensionsSwitchedOff";

    GnomeDesktopSwitch(ShellExtensions& extensions, UserDefaults& defaults);
    ~GnomeDesktopSwitch() override;
    GnomeDesktopSwitch(const GnomeDesktopSwitch&) = delete;
    GnomeDesktopSwitch& operator=(const GnomeDesktopSwitch&) = delete;

    // The extensions known to draw desktop icons, the usual one first.
    static QStringList iconsExtensions();

    bool createsDesktop() override;
    std::optional<QString> setCreatesDesktop(bool createsDesktop) override;
    QString description() const override;
    QString explanation() const override;
    void setExternalChangeHandler(std::function<void()> handler) override;

private:
    std::optional<QString> hideIcons();
    std::optional<QString> showIcons();
    // Why nothing can be hidden when no icons extension is on.
    QString nothingToHide(const QString& uuid, const std::optional<int>& state,
                          const QString& detail) const;
    QStringList savedExtensions() const;
    bool saveExtensions(const QStringList& uuids);

    ShellExtensions& extensions_;
    UserDefaults& defaults_;
};

}  // namespace hushpane
