#pragma once

#include "platform/LoginItemService.h"

#include <QString>

namespace hushpane {

// The login item as an XDG autostart entry, "hushpane.desktop" in the user's autostart folder.
// The entry counts as enabled while it exists and neither hides nor disables itself.
class XdgAutostartLoginItem : public LoginItemService {
public:
    static constexpr auto kEntryFileName = "hushpane.desktop";

    // `executablePath` is what the entry starts; `autostartDirectory` where it lives.
    XdgAutostartLoginItem(QString executablePath, QString autostartDirectory);
    // The running executable, in $XDG_CONFIG_HOME/autostart.
    XdgAutostartLoginItem();

    // $XDG_CONFIG_HOME/autostart, or ~/.config/autostart when that is unset or not absolute.
    static QString defaultAutostartDirectory();

    // The Exec= value that starts `executablePath` with no arguments, or nothing when the path
    // cannot be written there safely (control characters, such as a line break).
    static std::optional<QString> execLine(const QString& executablePath);

    QString entryPath() const;

    Status status() const override;
    std::optional<QString> registerLoginItem() override;
    std::optional<QString> unregisterLoginItem() override;

private:
    QString executablePath_;
    QString autostartDirectory_;
};

}  // namespace hushpane
