#pragma once

#include "platform/DesktopSwitch.h"

#include <QCoreApplication>
#include <QStringList>

#include <memory>

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
    // The Shell takes its time to switch an extension: answered once it did, from the event
    // loop. Its state is still read with bounded calls first.
    void requestCreatesDesktop(bool createsDesktop, const Completion& done) override;
    QString description() const override;
    QString explanation() const override;
    void setExternalChangeHandler(std::function<void()> handler) override;

private:
    void hideIcons(const Completion& done);
    void showIcons(const Completion& done);
    // Switches the extensions off one after another; on a refusal, those switched already go
    // back on and the saved list back to `offByUs`.
    void switchOff(QStringList left, QStringList switched, const QStringList& offByUs,
                   const Completion& done);
    // Switches the saved extensions that are off back on, one after another; `error` is the
    // first failure so far (empty: none).
    void switchOn(QStringList left, QStringList stillOff, QString error, const Completion& done);
    // Why nothing can be hidden when no icons extension is on.
    QString nothingToHide(const QString& uuid, const std::optional<int>& state,
                          const QString& detail) const;
    QStringList savedExtensions() const;
    bool saveExtensions(const QStringList& uuids);

    ShellExtensions& extensions_;
    UserDefaults& defaults_;
    // Dropped with the switch, so an answer that comes later finds it gone.
    std::shared_ptr<int> alive_ = std::make_shared<int>(0);
};

}  // namespace hushpane
