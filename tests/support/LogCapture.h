#pragma once

#include <QList>
#include <QString>
#include <QtGlobal>

namespace hushpane::test {

struct LogLine {
    QtMsgType type;
    QString category;
    QString message;
};

// Collects every Qt log line while it lives (one at a time per process).
class LogCapture {
public:
    LogCapture();
    ~LogCapture();
    LogCapture(const LogCapture&) = delete;
    LogCapture& operator=(const LogCapture&) = delete;

    QList<LogLine> lines() const;
    QList<LogLine> lines(const QString& category) const;
    // "info: hide requested" style lines of one category, for compact assertions.
    QStringList formatted(const QString& category) const;
    void clear();
};

}  // namespace hushpane::test
