#pragma once

#include <QByteArray>
#include <QCoreApplication>
#include <QList>
#include <QString>

#include <optional>

namespace hushpane {

// A desktop's own key file, edited line by line: the lines of the keys that are changed are
// rewritten and everything else (comments, order, spacing, keys and sections of any syntax)
// stays byte for byte as it was. A file a program wrote with QSettings or GKeyFile reads the
// same; a hand-edited one is not normalised on the way.
class IniFile {
    Q_DECLARE_TR_FUNCTIONS(hushpane::IniFile)

public:
    // Larger files are refused rather than read whole.
    static constexpr qint64 kMaximumSize = 1 << 20;

    struct Read;
    // A missing file reads as an empty one.
    static Read read(const QString& path);

    // The value of `key` in `[section]` (surrounding blanks and one pair of double quotes
    // removed), nothing when it is not there.
    std::optional<QString> value(const QString& section, const QString& key) const;
    // Rewrites the key's line, or adds it at the end of its section (the section at the end of
    // the file when there is none).
    void setValue(const QString& section, const QString& key, const QString& value);
    void remove(const QString& section, const QString& key);

    // Replaces the file atomically (a reader sees the old or the new file, never a part);
    // nothing on success, else why not.
    std::optional<QString> write(const QString& path) const;

    QByteArray text() const;

private:
    // The index of the section's header line (-1: the lines before any header), and of the
    // line after its last line.
    struct Span {
        qsizetype header = -1;
        qsizetype end = 0;
    };
    std::optional<Span> section(const QString& name) const;
    qsizetype keyLine(const Span& span, const QString& key) const;

    QList<QByteArray> lines_;
    bool finalNewline_ = true;
};

struct IniFile::Read {
    std::optional<IniFile> file;
    QString error;  // when there is no file
};

}  // namespace hushpane
