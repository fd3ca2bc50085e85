#include "backends/pcmanfm/IniFile.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace hushpane {

namespace {

bool isHeader(const QByteArray& trimmed) {
    return trimmed.startsWith('[') && trimmed.endsWith(']');
}

bool isComment(const QByteArray& trimmed) {
    return trimmed.startsWith('#') || trimmed.startsWith(';');
}

// The key of a "key=value" line, or empty.
QByteArray keyOf(const QByteArray& line) {
    const QByteArray trimmed = line.trimmed();
    if (trimmed.isEmpty() || isComment(trimmed) || isHeader(trimmed)) {
        return {};
    }
    const qsizetype equals = trimmed.indexOf('=');
    return equals > 0 ? trimmed.left(equals).trimmed() : QByteArray();
}

}  // namespace

IniFile::Read IniFile::read(const QString& path) {
    IniFile ini;
    QFile file(path);
    if (!file.exists()) {
        ini.finalNewline_ = true;
        return {ini, {}};
    }
    if (!file.open(QIODevice::ReadOnly)) {
        return {std::nullopt, tr("couldn't read %1: %2").arg(path, file.errorString())};
    }
    if (file.size() > kMaximumSize) {
        return {std::nullopt,
                tr("%1 is larger than %2 bytes; left alone").arg(path).arg(kMaximumSize)};
    }
    const QByteArray text = file.read(kMaximumSize + 1);
    if (file.error() != QFileDevice::NoError) {
        return {std::nullopt, tr("couldn't read %1: %2").arg(path, file.errorString())};
    }
    if (!text.isEmpty()) {
        ini.finalNewline_ = text.endsWith('\n');
        ini.lines_ = text.split('\n');
        if (ini.finalNewline_) {
            ini.lines_.removeLast();
        }
    }
    return {ini, {}};
}

QByteArray IniFile::text() const {
    QByteArray text = lines_.join('\n');
    if (finalNewline_ && !lines_.isEmpty()) {
        text.append('\n');
    }
    return text;
}

std::optional<IniFile::Span> IniFile::section(const QString& name) const {
    const QByteArray header = '[' + name.toUtf8() + ']';
    for (qsizetype i = 0; i < lines_.size(); ++i) {
        if (lines_.at(i).trimmed() != header) {
            continue;
        }
        Span span{i, lines_.size()};
        for (qsizetype j = i + 1; j < lines_.size(); ++j) {
            if (isHeader(lines_.at(j).trimmed())) {
                span.end = j;
                break;
            }
        }
        return span;
    }
    return std::nullopt;
}

qsizetype IniFile::keyLine(const Span& span, const QString& key) const {
    const QByteArray wanted = key.toUtf8();
    for (qsizetype i = span.header + 1; i < span.end; ++i) {
        if (keyOf(lines_.at(i)) == wanted) {
            return i;
        }
    }
    return -1;
}

std::optional<QString> IniFile::value(const QString& sectionName, const QString& key) const {
    const std::optional<Span> span = section(sectionName);
    const qsizetype line = span ? keyLine(*span, key) : -1;
    if (line < 0) {
        return std::nullopt;
    }
    const QByteArray& text = lines_.at(line);
    QByteArray value = text.mid(text.indexOf('=') + 1).trimmed();
    if (value.size() >= 2 && value.startsWith('"') && value.endsWith('"')) {
        value = value.mid(1, value.size() - 2);
    }
    return QString::fromUtf8(value);
}

void IniFile::setValue(const QString& sectionName, const QString& key, const QString& value) {
    const QByteArray line = key.toUtf8() + '=' + value.toUtf8();
    const std::optional<Span> span = section(sectionName);
    if (!span) {
        if (!lines_.isEmpty() && !lines_.constLast().trimmed().isEmpty()) {
            lines_.append(QByteArray());
        }
        lines_.append('[' + sectionName.toUtf8() + ']');
        lines_.append(line);
        return;
    }
    if (const qsizetype existing = keyLine(*span, key); existing >= 0) {
        lines_[existing] = line;
        return;
    }
    // After the section's last key, so blank lines and comments before the next header stay
    // with that header.
    qsizetype at = span->end;
    while (at > span->header + 1 && keyOf(lines_.at(at - 1)).isEmpty()) {
        --at;
    }
    lines_.insert(at, line);
}

void IniFile::remove(const QString& sectionName, const QString& key) {
    const std::optional<Span> span = section(sectionName);
    if (const qsizetype line = span ? keyLine(*span, key) : -1; line >= 0) {
        lines_.removeAt(line);
    }
}

std::optional<QString> IniFile::write(const QString& path) const {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        return tr("couldn't write %1: %2").arg(path, file.errorString());
    }
    const QFileInfo before(path);
    if (before.exists()) {
        file.setPermissions(before.permissions());
    }
    const QByteArray bytes = text();
    if (file.write(bytes) != bytes.size() || !file.commit()) {
        return tr("couldn't write %1: %2").arg(path, file.errorString());
    }
    return std::nullopt;
}

}  // namespace hushpane
