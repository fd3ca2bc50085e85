#include "backends/gsettings/GSettingsDesktopSwitch.h"

#include "backends/gsettings/SettingsStore.h"
#include "backends/linux/AwaitAnswer.h"
#include "common/Logging.h"

namespace hushpane {

GSettingsDesktopSwitch::GSettingsDesktopSwitch(SettingsStore& store, DesktopProgram& program,
                                               Setting setting, QString desktopName)
    : store_(store),
      program_(program),
      setting_(std::move(setting)),
      desktopName_(std::move(desktopName)) {}

QString GSettingsDesktopSwitch::description() const {
    return tr("%1 desktop (%2)").arg(desktopName_, program_.name());
}

std::optional<QString> GSettingsDesktopSwitch::failure(const QString& message) const {
    const QString text = tr("Couldn't change the %1 desktop: %2").arg(desktopName_, message);
    qCCritical(lcDesktop).noquote() << text;
    return text;
}

void GSettingsDesktopSwitch::setExternalChangeHandler(std::function<void()> handler) {
    store_.watch(setting_.schema, setting_.key, std::move(handler));
}

bool GSettingsDesktopSwitch::createsDesktop() {
    const SettingsStore::Value current = store_.value(setting_.schema, setting_.key);
    if (current.error || current.value->typeId() != setting_.type) {
        // Only a value that says so means hidden.
        return true;
    }
    return showsIcons(*current.value);
}

std::optional<QString> GSettingsDesktopSwitch::setCreatesDesktop(bool createsDesktop) {
    return awaitAnswer<std::optional<QString>>(
        [this, createsDesktop](const auto& done) { requestCreatesDesktop(createsDesktop, done); });
}

void GSettingsDesktopSwitch::requestCreatesDesktop(bool createsDesktop, const Completion& done) {
    const QString where = setting_.schema + QLatin1Char(' ') + setting_.key;
    const SettingsStore::Value current = store_.value(setting_.schema, setting_.key);
    if (current.error) {
        done(failure(*current.error));
        return;
    }
    if (current.value->typeId() != setting_.type) {
        done(failure(tr("%1 holds a value of an unexpected type (%2); left alone")
                         .arg(where, QString::fromLatin1(current.value->typeName()))));
        return;
    }
    const DesktopProgram::State state = program_.state();
    if (state == DesktopProgram::State::notAnswering) {
        done(failure(tr("%1 doesn't answer (waited %2 s); nothing was changed")
                         .arg(program_.name())
                         .arg(program_.timeoutMs() / 1000.0)));
        return;
    }
    const bool shownNow = showsIcons(*current.value);
    if (!createsDesktop) {
        if (state == DesktopProgram::State::notRunning) {
            done(failure(tr("%1 is not running, so it draws no icons to hide; "
                            "nothing was changed")
                             .arg(program_.name())));
            return;
        }
        if (shownNow) {
            const QVariant hidden = hiddenValue(*current.value);
            if (auto error = store_.setValue(setting_.schema, setting_.key, hidden)) {
                done(failure(*error));
                return;
            }
            qCInfo(lcDesktop).noquote()
                << QStringLiteral("%1 set to %2 (was %3)")
                       .arg(where, hidden.toString(), current.value->toString());
            sinceHidden_.start();
        }
        done(std::nullopt);
        return;
    }
    if (state == DesktopProgram::State::notRunning && !startsProgramToShow()) {
        // Written now, the layout would be taken as shown while nothing draws it.
        done(failure(tr("%1 is not running; nothing was changed, and the icons "
                        "come back when it runs again and they are shown")
                         .arg(program_.name())));
        return;
    }
    if (!shownNow) {
        const QVariant shownAgain = shownValue();
        if (auto error = store_.setValue(setting_.schema, setting_.key, shownAgain)) {
            done(failure(*error));
            return;
        }
        qCInfo(lcDesktop).noquote()
            << QStringLiteral("%1 set to %2").arg(where, shownAgain.toString());
    }
    // Shown again right after a hide: the program may still be on its way out and take the
    // icons with it, so it is started again once it has left.
    const bool mayBeLeaving = startsProgramToShow() && !shownNow &&
                              state == DesktopProgram::State::answering && sinceHidden_.isValid() &&
                              sinceHidden_.elapsed() < kLeavingMs;
    if (!mayBeLeaving) {
        finishShow(state, *current.value, shownNow, done);
        return;
    }
    const QVariant before = *current.value;
    program_.whenLeft(static_cast<int>(kLeavingMs - sinceHidden_.elapsed()), [this, before,
                                                                              shownNow,
                                                                              done](bool left) {
        if (left) {
            qCInfo(lcDesktop).noquote()
                << QStringLiteral("%1 left after the hide; starting it again").arg(program_.name());
        }
        finishShow(left ? DesktopProgram::State::notRunning : DesktopProgram::State::answering,
                   before, shownNow, done);
    });
}

void GSettingsDesktopSwitch::finishShow(DesktopProgram::State state, const QVariant& before,
                                        bool shownNow, const Completion& done) {
    const auto drawn = [this, shownNow, done] {
        if (!shownNow) {
            shown();
        }
        done(std::nullopt);
    };
    if (state != DesktopProgram::State::notRunning) {
        drawn();
        return;
    }
    program_.launchThen([this, before, shownNow, done, drawn](const std::optional<QString>& error) {
        if (error) {
            // Back as it was: hidden, and nothing claims otherwise.
            if (!shownNow) {
                store_.setValue(setting_.schema, setting_.key, before);
            }
            done(failure(*error));
            return;
        }
        qCInfo(lcDesktop).noquote()
            << QStringLiteral("%1 started to draw the icons").arg(program_.name());
        drawn();
    });
}

}  // namespace hushpane
