#include "backends/plasma/PlasmaDesktopSwitch.h"

#include "backends/linux/ConfigFileWatcher.h"
#include "backends/plasma/PlasmaScripting.h"
#include "common/Logging.h"
#include "common/UserDefaults.h"

#include <QJsonArray>
#include <QStandardPaths>

namespace hushpane {

namespace {

const QString kMode = QStringLiteral("filterMode");
const QString kPattern = QStringLiteral("filterPattern");
const QString kMimeTypes = QStringLiteral("filterMimeTypes");

// Every folder-view desktop's filter keys, by containment id.
const QString kReadScript = QStringLiteral(R"JS(
var out = {};
var all = desktops();
for (var i = 0; i < all.length; ++i) {
    var d = all[i];
    if (String(d.type) !== input.plugin) continue;
    d.currentConfigGroup = ['General'];
    out[String(d.id)] = {
        screen: d.screen,
        filterMode: d.readConfig('filterMode', 0),
        filterPattern: d.readConfig('filterPattern', '*'),
        filterMimeTypes: d.readConfig('filterMimeTypes', ['all/all'])
    };
}
print(JSON.stringify({folderViews: out}));
)JS");

// Writes input.changes[id].set to each folder view whose filter still is .expect, and
// input.others.set to every other folder view whose filter is input.others.expect.
const QString kWriteScript = QStringLiteral(R"JS(
function same(a, b) {
    return a.filterMode === b.filterMode && a.filterPattern === b.filterPattern &&
        JSON.stringify(a.filterMimeTypes) === JSON.stringify(b.filterMimeTypes);
}
function filterOf(d) {
    var types = d.readConfig('filterMimeTypes', ['all/all']);
    var list = [];
    for (var k = 0; k < types.length; ++k) list.push(String(types[k]));
    return { filterMode: Number(d.readConfig('filterMode', 0)),
             filterPattern: String(d.readConfig('filterPattern', '*')),
             filterMimeTypes: list };
}
var written = [], kept = [];
var all = desktops();
for (var i = 0; i < all.length; ++i) {
    var d = all[i];
    if (String(d.type) !== input.plugin) continue;
    var change = input.changes[String(d.id)] || input.others;
    if (!change) continue;
    d.currentConfigGroup = ['General'];
    if (!same(filterOf(d), change.expect)) { kept.push(String(d.id)); continue; }
    d.writeConfig('filterMode', change.set.filterMode);
    d.writeConfig('filterPattern', change.set.filterPattern);
    d.writeConfig('filterMimeTypes', change.set.filterMimeTypes);
    d.reloadConfig();
    written.push(String(d.id));
}
print(JSON.stringify({written: written, kept: kept}));
)JS");

// The three filter keys in their one form, or nothing when one holds another type.
std::optional<QJsonObject> filterFrom(const QJsonObject& folderView) {
    const QJsonValue mode = folderView.value(kMode);
    const QJsonValue pattern = folderView.value(kPattern);
    const QJsonValue types = folderView.value(kMimeTypes);
    if (!mode.isDouble() || !pattern.isString() || !types.isArray()) {
        return std::nullopt;
    }
    QJsonArray list;
    for (const auto& type : types.toArray()) {
        if (!type.isString()) {
            return std::nullopt;
        }
        list.append(type);
    }
    return QJsonObject{{kMode, mode.toInt()}, {kPattern, pattern.toString()}, {kMimeTypes, list}};
}

}  // namespace

PlasmaDesktopSwitch::PlasmaDesktopSwitch(PlasmaScripting& scripting, UserDefaults& defaults)
    : scripting_(scripting), defaults_(defaults) {}

PlasmaDesktopSwitch::~PlasmaDesktopSwitch() = default;

QString PlasmaDesktopSwitch::appletsFile() {
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
           QStringLiteral("/plasma-org.kde.plasma.desktop-appletsrc");
}

void PlasmaDesktopSwitch::setExternalChangeHandler(std::function<void()> handler) {
    appletsWatcher_.reset();
    if (handler) {
        appletsWatcher_ = std::make_unique<ConfigFileWatcher>(appletsFile());
        QObject::connect(appletsWatcher_.get(), &ConfigFileWatcher::changed, std::move(handler));
    }
}

QJsonObject PlasmaDesktopSwitch::hiddenFilter() {
    return {{kMode, 2},
            {kPattern, QStringLiteral("*")},
            {kMimeTypes, QJsonArray{QStringLiteral("all/all")}}};
}

QJsonObject PlasmaDesktopSwitch::defaultFilter() {
    return {{kMode, 0},
            {kPattern, QStringLiteral("*")},
            {kMimeTypes, QJsonArray{QStringLiteral("all/all")}}};
}

std::optional<QString> PlasmaDesktopSwitch::failure(const QString& message) {
    const QString text = tr("Couldn't change the KDE Plasma desktop: %1").arg(message);
    qCWarning(lcDesktop).noquote() << text;
    return text;
}

PlasmaDesktopSwitch::FolderViews PlasmaDesktopSwitch::readFolderViews() {
    const PlasmaScript::Answer answer = PlasmaScript::run(
        scripting_, {{QStringLiteral("plugin"), QString::fromLatin1(kFolderPlugin)}}, kReadScript);
    if (answer.error) {
        return {{}, answer.error};
    }
    const QJsonValue views = answer.result.value(QStringLiteral("folderViews"));
    if (!views.isObject()) {
        return {{}, tr("plasmashell's answer lists no desktops")};
    }
    QJsonObject filters;
    const QJsonObject byId = views.toObject();
    for (auto view = byId.begin(); view != byId.end(); ++view) {
        const std::optional<QJsonObject> filter = filterFrom(view.value().toObject());
        if (!filter) {
            return {{},
                    tr("the file filter of desktop %1 holds a value of an unexpected "
                       "type; left alone")
                        .arg(view.key())};
        }
        filters.insert(view.key(), *filter);
    }
    return {filters, std::nullopt};
}

bool PlasmaDesktopSwitch::createsDesktop() {
    const FolderViews views = readFolderViews();
    if (views.error || views.filters.isEmpty()) {
        return true;
    }
    for (const auto& filter : views.filters) {
        if (filter.toObject() != hiddenFilter()) {
            return true;
        }
    }
    return false;
}

std::optional<QString> PlasmaDesktopSwitch::setCreatesDesktop(bool createsDesktop) {
    return createsDesktop ? show() : hide();
}

std::optional<QString> PlasmaDesktopSwitch::hide() {
    const FolderViews views = readFolderViews();
    if (views.error) {
        return failure(tr("%1; nothing was changed").arg(*views.error));
    }
    if (views.filters.isEmpty()) {
        return failure(tr("no desktop shows a folder view, so there are no icons to hide"));
    }
    // Kept before anything is written. A folder view that is hidden already (a run that ended
    // while hidden) keeps the filter saved then.
    QVariantMap saved =
        defaults_.dictionaryForKey(QString::fromLatin1(kSavedFiltersKey)).value_or(QVariantMap());
    QJsonObject changes;
    for (auto view = views.filters.begin(); view != views.filters.end(); ++view) {
        const QJsonObject filter = view.value().toObject();
        if (filter == hiddenFilter()) {
            continue;
        }
        saved.insert(view.key(), filter.toVariantMap());
        changes.insert(view.key(), QJsonObject{{QStringLiteral("expect"), filter},
                                               {QStringLiteral("set"), hiddenFilter()}});
    }
    if (changes.isEmpty()) {
        return std::nullopt;
    }
    defaults_.setObject(QString::fromLatin1(kSavedFiltersKey), QVariant(saved));
    if (!defaults_.lastWriteSucceeded()) {
        return failure(
            tr("couldn't keep the folder views' filters to give them back "
               "later; nothing was changed"));
    }
    const PlasmaScript::Answer answer =
        PlasmaScript::run(scripting_,
                          {{QStringLiteral("plugin"), QString::fromLatin1(kFolderPlugin)},
                           {QStringLiteral("changes"), changes}},
                          kWriteScript);
    if (answer.error) {
        return failure(*answer.error);
    }
    const QJsonArray written = answer.result.value(QStringLiteral("written")).toArray();
    if (written.isEmpty()) {
        return failure(tr("plasmashell changed no folder view"));
    }
    qCInfo(lcDesktop).noquote() << QStringLiteral(
                                       "KDE Plasma: file icons hidden on %1 of %2 "
                                       "folder views")
                                       .arg(written.size())
                                       .arg(changes.size());
    return std::nullopt;
}

std::optional<QString> PlasmaDesktopSwitch::show() {
    const QString savedKey = QString::fromLatin1(kSavedFiltersKey);
    const QVariantMap saved = defaults_.dictionaryForKey(savedKey).value_or(QVariantMap());
    QJsonObject changes;
    for (auto entry = saved.cbegin(); entry != saved.cend(); ++entry) {
        const std::optional<QJsonObject> filter =
            filterFrom(QJsonObject::fromVariantMap(entry.value().toMap()));
        if (!filter) {
            qCWarning(lcDesktop).noquote()
                << QStringLiteral("Ignoring the saved filter of Plasma desktop %1")
                       .arg(entry.key());
            continue;
        }
        changes.insert(entry.key(), QJsonObject{{QStringLiteral("expect"), hiddenFilter()},
                                                {QStringLiteral("set"), *filter}});
    }
    // Hidden folder views with nothing saved for them get the folder view's defaults.
    const QJsonObject others{{QStringLiteral("expect"), hiddenFilter()},
                             {QStringLiteral("set"), defaultFilter()}};
    const PlasmaScript::Answer answer =
        PlasmaScript::run(scripting_,
                          {{QStringLiteral("plugin"), QString::fromLatin1(kFolderPlugin)},
                           {QStringLiteral("changes"), changes},
                           {QStringLiteral("others"), others}},
                          kWriteScript);
    if (answer.error) {
        return failure(tr("%1; the icons stay hidden").arg(*answer.error));
    }
    const QJsonArray kept = answer.result.value(QStringLiteral("kept")).toArray();
    for (const auto& id : kept) {
        if (changes.contains(id.toString())) {
            qCInfo(lcDesktop).noquote()
                << QStringLiteral(
                       "KDE Plasma: keeping the filter chosen while hidden on "
                       "desktop %1")
                       .arg(id.toString());
        }
    }
    defaults_.removeObjectForKey(savedKey);
    qCInfo(lcDesktop).noquote()
        << QStringLiteral("KDE Plasma: file icons shown again on %1 folder views")
               .arg(answer.result.value(QStringLiteral("written")).toArray().size());
    return std::nullopt;
}

QString PlasmaDesktopSwitch::description() const {
    return tr("KDE Plasma desktop (plasmashell)");
}

QString PlasmaDesktopSwitch::explanation() const {
    return tr(
        "The folder view on each screen stops showing files and folders; widgets, the "
        "wallpaper and open windows stay, nothing restarts.");
}

}  // namespace hushpane
