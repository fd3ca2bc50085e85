#include "backends/plasma/PlasmaScripting.h"

#include <QCoreApplication>
#include <QJsonDocument>
#include <QJsonParseError>

namespace hushpane {

QString PlasmaScript::build(const QJsonObject& input, const QString& body) {
    QString literal = QString::fromUtf8(QJsonDocument(input).toJson(QJsonDocument::Compact));
    literal.replace(QChar(0x2028), QStringLiteral("\\u2028"));
    literal.replace(QChar(0x2029), QStringLiteral("\\u2029"));
    return QStringLiteral("var input = %1;\n").arg(literal) + body;
}

PlasmaScript::Answer PlasmaScript::parse(const QString& output) {
    QJsonParseError error{};
    const QJsonDocument document = QJsonDocument::fromJson(output.trimmed().toUtf8(), &error);
    if (error.error != QJsonParseError::NoError || !document.isObject()) {
        const QString shown = output.size() > 80 ? output.left(80) + QStringLiteral("...") : output;
        return {{},
                QCoreApplication::translate("hushpane::PlasmaScript",
                                            "plasmashell answered the script with something "
                                            "unexpected (\"%1\")")
                    .arg(shown.simplified())};
    }
    return {document.object(), std::nullopt};
}

PlasmaScript::Answer PlasmaScript::run(PlasmaScripting& scripting, const QJsonObject& input,
                                       const QString& body) {
    const PlasmaScripting::Reply reply = scripting.evaluateScript(build(input, body));
    if (reply.error) {
        return {{}, reply.error};
    }
    return parse(reply.output.value_or(QString()));
}

}  // namespace hushpane
