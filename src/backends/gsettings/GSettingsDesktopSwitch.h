#pragma once

#include "backends/linux/DesktopProgram.h"
#include "platform/DesktopSwitch.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QVariant>

namespace hushpane {

class SettingsStore;

// A desktop whose icons follow one GSettings key that its icon program applies live (MATE's
// caja, Cinnamon's nemo-desktop). Hiding and showing write nothing unless the program answers,
// and never write over a value of a type the key should not hold.
class GSettingsDesktopSwitch : public DesktopSwitch {
    Q_DECLARE_TR_FUNCTIONS(hushpane::GSettingsDesktopSwitch)

public:
    struct Setting {
        QString schema;
        QString key;
        QMetaType::Type type;
    };

    bool createsDesktop() final;
    // Showing may start the program and wait for it to appear: that is answered later, from the
    // event loop. The synchronous form waits for that answer (for tools and tests).
    void requestCreatesDesktop(bool createsDesktop, const Completion& done) final;
    std::optional<QString> setCreatesDesktop(bool createsDesktop) final;
    QString description() const override;
    // The key is watched: a change in the desktop's own settings (or by another program) is
    // told.
    void setExternalChangeHandler(std::function<void()> handler) override;

protected:
    GSettingsDesktopSwitch(SettingsStore& store, DesktopProgram& program, Setting setting,
                           QString desktopName);

    // Whether a value of the right type draws icons.
    virtual bool showsIcons(const QVariant& value) const = 0;
    // What to write to hide the icons, given what draws them now (kept if needed).
    virtual QVariant hiddenValue(const QVariant& shown) = 0;
    // What to write to bring the icons back; called once that value is about to be written.
    virtual QVariant shownValue() = 0;
    // The icons are back: what was kept for them can go.
    virtual void shown() {}
    // How long a program that ends with its icons may take to leave after a hide.
    static constexpr int kLeavingMs = 2000;
    // True when the program ends with its icons and is started again to show them (caja).
    virtual bool startsProgramToShow() const { return false; }

    SettingsStore& store_;
    DesktopProgram& program_;

private:
    std::optional<QString> failure(const QString& message) const;
    // The end of a show once the program is known to draw the icons (or could not be started).
    void finishShow(DesktopProgram::State state, const QVariant& before, bool shownNow,
                    const Completion& done);

    Setting setting_;
    QString desktopName_;
    // Since the icons were last hidden: a program that ends with them may still be leaving.
    QElapsedTimer sinceHidden_;
};

}  // namespace hushpane
