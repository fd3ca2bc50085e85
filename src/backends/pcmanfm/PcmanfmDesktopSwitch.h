#pragma once

#include "platform/DesktopSwitch.h"

#include <QCoreApplication>
#include <QList>
#include <QPair>
#include <QStringList>
#include <QVariantMap>

#include <functional>
#include <memory>

namespace hushpane {

class FileManagerDesktop;
class ConfigFileWatcher;
class IniFile;
class UserDefaults;

// A desktop drawn by a file manager that keeps its icon settings in its own key files and
// reads them when its desktop starts (LXDE's pcmanfm, LXQt's pcmanfm-qt). Hiding writes the
// hidden values of a few keys into each file, with the desktop off for the moment it takes;
// the user's values of exactly those keys (and whether a key was there at all) are kept in
// the application's defaults first, so showing puts back exactly that, also after Hushpane
// was killed while the icons were hidden. Every other line of the files stays as it was.
// A change is answered once the desktop draws again, from the event loop.
class PcmanfmDesktopSwitch : public DesktopSwitch {
    Q_DECLARE_TR_FUNCTIONS(hushpane::PcmanfmDesktopSwitch)

public:
    struct Layout {
        QString desktopName;  // "LXDE"
        // The files, by name, in the profile's folder; the first always counts.
        std::function<QStringList(const QString& profileDirectory)> files;
        QString section;  // "*"
        // What hides the icons, key by key; the first key tells whether they are hidden.
        QList<QPair<QString, QString>> hidden;
        // A folder the hidden values name that must exist and stay empty, or nothing.
        QString emptyFolder;
        QString savedKey;  // in the application's defaults
        QString explanation;
    };

    PcmanfmDesktopSwitch(FileManagerDesktop& program, UserDefaults& defaults, Layout layout);
    ~PcmanfmDesktopSwitch() override;
    PcmanfmDesktopSwitch(const PcmanfmDesktopSwitch&) = delete;
    PcmanfmDesktopSwitch& operator=(const PcmanfmDesktopSwitch&) = delete;

    // A file that cannot be read, or a desktop that is not running, reads as shown.
    bool createsDesktop() override;
    std::optional<QString> setCreatesDesktop(bool createsDesktop) override;
    // The desktop goes off and on again for a change: answered once it draws again.
    void requestCreatesDesktop(bool createsDesktop, const Completion& done) override;
    QString description() const override;
    QString explanation() const override { return layout_.explanation; }
    // The profile's first file is watched: icons hidden or shown in the file manager's own
    // desktop preferences are told.
    void setExternalChangeHandler(std::function<void()> handler) override;

private:
    void hide(const Completion& done);
    void show(const Completion& done);
    void keepSaved(const QVariantMap& before);
    bool isHidden(const IniFile& ini) const;
    QVariantMap userValues(const IniFile& ini) const;
    void applyHidden(IniFile& ini) const;
    void applyUser(IniFile& ini, const QVariantMap& values) const;
    // Edits every file; on an error those already written are put back.
    std::optional<QString> edit(
        const std::function<void(const QString& name, IniFile&)>& change) const;
    std::optional<QString> failure(const QString& message) const;

    FileManagerDesktop& program_;
    UserDefaults& defaults_;
    Layout layout_;
    std::unique_ptr<ConfigFileWatcher> settingsWatcher_;
};

}  // namespace hushpane
