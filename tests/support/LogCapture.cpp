#include "support/LogCapture.h"

#include <QStringList>

namespace hushpane::test {

namespace {

QList<LogLine> g_lines;
QtMessageHandler g_previous = nullptr;

void handler(QtMsgType type, const QMessageLogContext& context, const QString& message) {
    g_lines.append({type, QString::fromUtf8(context.category ? context.category : ""), message});
}

QString levelName(QtMsgType type) {
    switch (type) {
        case QtDebugMsg:
            return QStringLiteral("debug");
        case QtInfoMsg:
            return QStringLiteral("info");
        case QtWarningMsg:
            return QStringLiteral("warning");
        case QtCriticalMsg:
            return QStringLiteral("error");
        case QtFatalMsg:
            return QStringLiteral("fatal");
    }
    return {};
}

}  // namespace

LogCapture::LogCapture() {
    g_lines.clear();
    g_previous = qInstallMessageHandler(handler);
}

LogCapture::~LogCapture() {
    qInstallMessageHandler(g_previous);
}

QList<LogLine> LogCapture::lines() const {
    return g_lines;
}

QList<LogLine> LogCapture::lines(const QString& category) const {
    QList<LogLine> out;
    for (const LogLine& l : g_lines) {
        if (l.category == category) {
            out.append(l);
        }
    }
    return out;
}

QStringList LogCapture::formatted(const QString& category) const {
    QStringList out;
    for (const LogLine& l : lines(category)) {
        out.append(levelName(l.type) + QStringLiteral(": ") + l.message);
    }
    return out;
}

void LogCapture::clear() {
    g_lines.clear();
}

}  // namespace hushpane::test
