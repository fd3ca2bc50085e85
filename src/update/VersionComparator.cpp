#include "update/VersionComparator.h"

#include <QList>

namespace hushpane {

namespace {

enum class PartKind { Number, Text, Separator };

struct Part {
    PartKind kind;
    QString text;
};

PartKind kindOf(QChar c) {
    if (c.isDigit()) {
        return PartKind::Number;
    }
    if (c == u'.' || c == u'-' || c == u'_' || c == u'+' || c.isSpace()) {
        return PartKind::Separator;
    }
    return PartKind::Text;
}

// "1.10b2" -> 1 . 10 b 2; runs of one kind form one part.
QList<Part> split(const QString& version) {
    QList<Part> parts;
    for (const QChar c : version.trimmed()) {
        const PartKind kind = kindOf(c);
        if (!parts.isEmpty() && parts.last().kind == kind) {
            parts.last().text.append(c);
        } else {
            parts.append(Part{kind, QString(c)});
        }
    }
    return parts;
}

// Numbers compare by value without converting (a feed may carry digits past any integer).
int compareNumbers(QString a, QString b) {
    while (a.size() > 1 && a.front() == u'0') {
        a.remove(0, 1);
    }
    while (b.size() > 1 && b.front() == u'0') {
        b.remove(0, 1);
    }
    if (a.size() != b.size()) {
        return a.size() < b.size() ? -1 : 1;
    }
    return a.compare(b);
}

int sign(int v) {
    return v < 0 ? -1 : (v > 0 ? 1 : 0);
}

// What a missing part means when the other version goes on with `next`: more numbers make
// a newer version ("1.0.1" > "1.0"), a text part starts a pre-release ("1.0b1" < "1.0").
int tailOrder(const QList<Part>& longer, qsizetype from) {
    for (qsizetype i = from; i < longer.size(); ++i) {
        switch (longer[i].kind) {
            case PartKind::Separator:
                continue;
            case PartKind::Text:
                return -1;
            case PartKind::Number:
                if (compareNumbers(longer[i].text, QStringLiteral("0")) != 0) {
                    return 1;
                }
                continue;
        }
    }
    return 0;
}

}  // namespace

int VersionComparator::compare(const QString& a, const QString& b) {
    const QList<Part> pa = split(a);
    const QList<Part> pb = split(b);
    const qsizetype common = std::min(pa.size(), pb.size());
    for (qsizetype i = 0; i < common; ++i) {
        const Part& x = pa[i];
        const Part& y = pb[i];
        if (x.kind == y.kind) {
            if (x.kind == PartKind::Number) {
                if (const int c = compareNumbers(x.text, y.text); c != 0) {
                    return sign(c);
                }
            } else if (x.kind == PartKind::Text) {
                if (const int c = x.text.compare(y.text, Qt::CaseInsensitive); c != 0) {
                    return sign(c);
                }
            }
            continue;
        }
        // A number where the other has text: the text side is a pre-release, so older.
        if (x.kind == PartKind::Number && y.kind == PartKind::Text) {
            return 1;
        }
        if (x.kind == PartKind::Text && y.kind == PartKind::Number) {
            return -1;
        }
        // One side has a separator, the other goes straight on: "1.0" against "1.0b1" or
        // "10" against "1.0"; the side without the separator has text or digits here.
        if (x.kind == PartKind::Separator) {
            return y.kind == PartKind::Text ? 1 : -1;
        }
        return x.kind == PartKind::Text ? -1 : 1;
    }
    if (pa.size() > pb.size()) {
        return tailOrder(pa, common);
    }
    if (pb.size() > pa.size()) {
        return -tailOrder(pb, common);
    }
    return 0;
}

}  // namespace hushpane
