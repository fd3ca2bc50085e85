// A stand-in plasmashell on the session bus for the tests: org.kde.PlasmaShell.evaluateScript
// on /PlasmaShell runs the script against PlasmaShellModel, and /Control
// (org.hushpane.test.PlasmaShellControl) sets and reads the model and the scripts it got.
// Its first argument is the model's state as JSON. Stop it (SIGSTOP) to make it hang.

#include "PlasmaShellModel.h"

#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusContext>
#include <QDBusError>
#include <QJsonDocument>

namespace hushpane::test {

class StandInShell : public QObject, protected QDBusContext {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.kde.PlasmaShell")
public:
    explicit StandInShell(PlasmaShellModel& model) : model_(model) {}

public Q_SLOTS:
    QString evaluateScript(const QString& script) {
        const PlasmaScripting::Reply reply = model_.evaluateScript(script);
        if (reply.error) {
            sendErrorReply(QDBusError::Failed, *reply.error);
            return {};
        }
        return reply.output.value_or(QString());
    }

private:
    PlasmaShellModel& model_;
};

class StandInControl : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.hushpane.test.PlasmaShellControl")
public:
    explicit StandInControl(PlasmaShellModel& model) : model_(model) {}

public Q_SLOTS:
    QString state() const {
        return QString::fromUtf8(QJsonDocument(model_.state()).toJson(QJsonDocument::Compact));
    }
    void setState(const QString& json) {
        model_.setState(QJsonDocument::fromJson(json.toUtf8()).object());
    }
    QStringList scripts() const { return model_.scripts(); }
    // The next evaluateScript answers with this text.
    void answerNextWith(const QString& output) {
        model_.cannedReplies.append({output, std::nullopt});
    }

private:
    PlasmaShellModel& model_;
};

}  // namespace hushpane::test

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    using namespace hushpane::test;
    PlasmaShellModel model(QJsonDocument::fromJson(app.arguments().value(1).toUtf8()).object());
    StandInShell shell(model);
    StandInControl control(model);
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.registerObject(QStringLiteral("/PlasmaShell"), &shell,
                            QDBusConnection::ExportAllSlots) ||
        !bus.registerObject(QStringLiteral("/Control"), &control,
                            QDBusConnection::ExportAllSlots) ||
        !bus.registerService(QStringLiteral("org.kde.plasmashell"))) {
        qCritical("stand-in plasmashell: couldn't take its place on the bus");
        return 1;
    }
    return QCoreApplication::exec();
}

#include "StandInPlasmaShell.moc"
