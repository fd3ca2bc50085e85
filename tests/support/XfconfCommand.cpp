#include "support/XfconfCommand.h"

#include "support/EndProcess.h"

#include <QProcess>

namespace hushpane::test {

std::optional<QString> xfconfQuery(const QStringList& arguments,
                                   const QProcessEnvironment& environment) {
    QProcess process;
    process.setProcessEnvironment(environment);
    process.start(QStringLiteral("xfconf-query"),
                  QStringList{QStringLiteral("-c"), QStringLiteral("xfce4-desktop")} + arguments);
    if (!process.waitForFinished(20000) || process.exitStatus() != QProcess::NormalExit ||
        process.exitCode() != 0) {
        endProcess(process);
        return std::nullopt;
    }
    return QString::fromLocal8Bit(process.readAllStandardOutput()).trimmed();
}

std::optional<QString> xfconfProperty(const QString& property,
                                      const QProcessEnvironment& environment) {
    return xfconfQuery({QStringLiteral("-p"), property}, environment);
}

}  // namespace hushpane::test
