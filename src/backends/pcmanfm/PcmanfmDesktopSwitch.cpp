#include "backends/pcmanfm/PcmanfmDesktopSwitch.h"

#include "backends/linux/AwaitAnswer.h"
#include "backends/linux/ConfigFileWatcher.h"
#include "backends/pcmanfm/FileManagerDesktop.h"
#include "backends/pcmanfm/IniFile.h"
#include "common/Logging.h"
#include "common/UserDefaults.h"

#include <QDir>

namespace hushpane {

PcmanfmDesktopSwitch::PcmanfmDesktopSwitch(FileManagerDesktop& program, UserDefaults& defaults,
                                           Layout layout)
    : program_(program), defaults_(defaults), layout_(std::move(layout)) {}

PcmanfmDesktopSwitch::~PcmanfmDesktopSwitch() = default;

void PcmanfmDesktopSwitch::setExternalChangeHandler(std::function<void()> handler) {
    settingsWatcher_.reset();
    if (handler) {
        const QString directory = program_.profileDirectory();
        settingsWatcher_ = std::make_unique<ConfigFileWatcher>(directory + QLatin1Char('/') +
                                                               layout_.files(directory).value(0));
        QObject::connect(settingsWatcher_.get(), &ConfigFileWatcher::changed, std::move(handler));
    }
}

QString PcmanfmDesktopSwitch::description() const {
    return tr("%1 desktop (%2)").arg(layout_.desktopName, program_.name());
}

std::optional<QString> PcmanfmDesktopSwitch::failure(const QString& message) const {
    const QString text = tr("Couldn't change the %1 desktop: %2").arg(layout_.desktopName, message);
    qCCritical(lcDesktop).noquote() << text;
    return text;
}

bool PcmanfmDesktopSwitch::isHidden(const IniFile& ini) const {
    const auto& [key, value] = layout_.hidden.constFirst();
    return ini.value(layout_.section, key) == value;
}

QVariantMap PcmanfmDesktopSwitch::userValues(const IniFile& ini) const {
    QVariantMap values;
    for (const auto& [key, hiddenValue] : layout_.hidden) {
        if (const std::optional<QString> value = ini.value(layout_.section, key)) {
            values.insert(key, *value);
        }
    }
    return values;
}

void PcmanfmDesktopSwitch::applyHidden(IniFile& ini) const {
    for (const auto& [key, value] : layout_.hidden) {
        ini.setValue(layout_.section, key, value);
    }
}

void PcmanfmDesktopSwitch::applyUser(IniFile& ini, const QVariantMap& values) const {
    for (const auto& [key, hiddenValue] : layout_.hidden) {
        const QVariant value = values.value(key);
        if (value.typeId() == QMetaType::QString) {
            ini.setValue(layout_.section, key, value.toString());
            continue;
        }
        if (value.isValid()) {
            qCWarning(lcDesktop).noquote()
                << QStringLiteral("Ignoring the kept %1 value of %2 (not a text)")
                       .arg(layout_.desktopName, key);
        }
        // Not there before: the program's own default again.
        ini.remove(layout_.section, key);
    }
}

std::optional<QString> PcmanfmDesktopSwitch::edit(
    const std::function<void(const QString&, IniFile&)>& change) const {
    const QString dir = program_.profileDirectory();
    QList<QPair<QString, IniFile>> written;
    const auto putBack = [&written] {
        for (const auto& [path, original] : written) {
            original.write(path);
        }
    };
    for (const QString& name : layout_.files(dir)) {
        const QString path = dir + QLatin1Char('/') + name;
        IniFile::Read read = IniFile::read(path);
        if (!read.file) {
            putBack();
            return read.error;
        }
        IniFile changed = *read.file;
        change(name, changed);
        if (changed.text() == read.file->text()) {
            continue;
        }
        QDir().mkpath(dir);
        if (auto error = changed.write(path)) {
            putBack();
            return error;
        }
        written.append({path, *read.file});
    }
    return std::nullopt;
}

bool PcmanfmDesktopSwitch::createsDesktop() {
    const QStringList files = layout_.files(program_.profileDirectory());
    const IniFile::Read read =
        IniFile::read(program_.profileDirectory() + QLatin1Char('/') + files.value(0));
    return !read.file || !isHidden(*read.file);
}

std::optional<QString> PcmanfmDesktopSwitch::setCreatesDesktop(bool createsDesktop) {
    return awaitAnswer<std::optional<QString>>(
        [this, createsDesktop](const auto& done) { requestCreatesDesktop(createsDesktop, done); });
}

void PcmanfmDesktopSwitch::requestCreatesDesktop(bool createsDesktop, const Completion& done) {
    if (createsDesktop) {
        show(done);
    } else {
        hide(done);
    }
}

void PcmanfmDesktopSwitch::keepSaved(const QVariantMap& before) {
    defaults_.setObject(layout_.savedKey,
                        before.isEmpty() ? std::nullopt : std::optional<QVariant>(before));
}

void PcmanfmDesktopSwitch::hide(const Completion& done) {
    const DesktopProgram::State state = program_.state();
    if (state == DesktopProgram::State::notAnswering) {
        done(failure(tr("%1 doesn't answer; nothing was changed").arg(program_.name())));
        return;
    }
    if (state == DesktopProgram::State::notRunning) {
        done(failure(tr("%1 is not running, so it draws no icons to hide; nothing "
                        "was changed")
                         .arg(program_.name())));
        return;
    }
    const QString dir = program_.profileDirectory();
    const QVariantMap before = defaults_.dictionaryForKey(layout_.savedKey).value_or(QVariantMap());
    QVariantMap kept;
    bool allHidden = true;
    for (const QString& name : layout_.files(dir)) {
        const IniFile::Read read = IniFile::read(dir + QLatin1Char('/') + name);
        if (!read.file) {
            done(failure(tr("%1; nothing was changed").arg(read.error)));
            return;
        }
        if (isHidden(*read.file)) {
            // Hidden by an earlier run that ended while hidden: what that run kept stays.
            if (before.contains(name)) {
                kept.insert(name, before.value(name));
            }
        } else {
            kept.insert(name, userValues(*read.file));
            allHidden = false;
        }
    }
    if (allHidden) {
        done(std::nullopt);
        return;
    }
    if (!layout_.emptyFolder.isEmpty() && !QDir().mkpath(layout_.emptyFolder)) {
        done(failure(
            tr("couldn't make the empty folder %1; nothing was changed").arg(layout_.emptyFolder)));
        return;
    }
    defaults_.setObject(layout_.savedKey, QVariant(kept));
    if (!defaults_.lastWriteSucceeded()) {
        keepSaved(before);
        done(
            failure(tr("couldn't keep the desktop settings to give them back later; nothing "
                       "was changed")));
        return;
    }
    auto changed = std::make_shared<bool>(false);
    program_.restartThen(
        [this, changed]() -> std::optional<QString> {
            auto result = edit([this](const QString&, IniFile& ini) { applyHidden(ini); });
            *changed = !result;
            return result;
        },
        [this, changed, kept, before, done](const std::optional<QString>& error) {
            if (!error) {
                qCInfo(lcDesktop).noquote()
                    << QStringLiteral("%1 desktop icons hidden; %2 drew its desktop again")
                           .arg(layout_.desktopName, program_.name());
                done(std::nullopt);
                return;
            }
            if (!*changed) {
                keepSaved(before);
                done(failure(*error));
                return;
            }
            // The desktop did not come back: the user's settings go back for its next start.
            edit([&kept, this](const QString& name, IniFile& ini) {
                applyUser(ini, kept.value(name).toMap());
            });
            program_.launchThen([this, before, error, done](const std::optional<QString>&) {
                keepSaved(before);
                done(failure(*error));
            });
        });
}

void PcmanfmDesktopSwitch::show(const Completion& done) {
    const DesktopProgram::State state = program_.state();
    if (state == DesktopProgram::State::notAnswering) {
        done(failure(tr("%1 doesn't answer; nothing was changed").arg(program_.name())));
        return;
    }
    const QString dir = program_.profileDirectory();
    bool anyHidden = false;
    for (const QString& name : layout_.files(dir)) {
        const IniFile::Read read = IniFile::read(dir + QLatin1Char('/') + name);
        if (!read.file) {
            done(failure(tr("%1; nothing was changed").arg(read.error)));
            return;
        }
        anyHidden = anyHidden || isHidden(*read.file);
    }
    if (!anyHidden) {
        // Shown already, perhaps by the user: their settings stand.
        defaults_.removeObjectForKey(layout_.savedKey);
        done(std::nullopt);
        return;
    }
    const std::optional<QVariantMap> kept = defaults_.dictionaryForKey(layout_.savedKey);
    if (!kept) {
        qCWarning(lcDesktop).noquote()
            << QStringLiteral("No kept %1 desktop settings; showing with %2's defaults")
                   .arg(layout_.desktopName, program_.name());
    }
    // Only the files still hidden: one the user changed since keeps their change.
    const auto restore = [this, kept]() {
        return edit([this, &kept](const QString& name, IniFile& ini) {
            if (isHidden(ini)) {
                applyUser(ini, kept.value_or(QVariantMap()).value(name).toMap());
            }
        });
    };
    const auto finish = [this, done](const std::optional<QString>& error) {
        if (error) {
            done(failure(*error));
            return;
        }
        defaults_.removeObjectForKey(layout_.savedKey);
        qCInfo(lcDesktop).noquote()
            << QStringLiteral("%1 desktop icons shown with the user's own settings")
                   .arg(layout_.desktopName);
        done(std::nullopt);
    };
    if (state != DesktopProgram::State::notRunning) {
        program_.restartThen(restore, finish);
        return;
    }
    if (auto error = restore()) {
        finish(error);
        return;
    }
    program_.launchThen([this, finish](const std::optional<QString>& launchError) {
        if (launchError) {
            edit([this](const QString&, IniFile& ini) { applyHidden(ini); });
        }
        finish(launchError);
    });
}

}  // namespace hushpane
