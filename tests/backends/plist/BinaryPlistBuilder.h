#pragma once

// Builds binary property lists object by object, for files no ordinary writer produces:
// thousands of levels deep, containers that hold themselves, text with NUL bytes.
#include <QByteArray>
#include <QList>
#include <QString>

#include <cstring>
#include <utility>

namespace hushpane::test {

class BinaryPlistBuilder {
public:
    // `refSize`: bytes per object reference; 4 covers any file a test needs.
    explicit BinaryPlistBuilder(int refSize = 4) : refSize_(refSize) {}

    int ascii(const QByteArray& text) { return add(header(0x50, text.size()) + text); }
    int utf16(const QString& text) {
        QByteArray units;
        for (QChar c : text) {
            units += char(c.unicode() >> 8);
            units += char(c.unicode() & 0xFF);
        }
        return add(header(0x60, text.size()) + units);
    }
    int boolean(bool b) { return add(QByteArray(1, b ? '\x09' : '\x08')); }
    int date(double secondsSince2001) {
        quint64 bits = 0;
        std::memcpy(&bits, &secondsSince2001, sizeof bits);
        return add(QByteArray(1, '\x33') + bigEndian(bits, 8));
    }
    // An object whose references are filled in later, so that it can point forward or at
    // itself.
    int array(const QList<int>& items) { return add(header(0xA0, items.size()) + refs(items)); }
    int dict(const QList<std::pair<int, int>>& entries) {
        QList<int> keys;
        QList<int> values;
        for (const auto& [k, v] : entries) {
            keys.append(k);
            values.append(v);
        }
        return add(header(0xD0, entries.size()) + refs(keys) + refs(values));
    }
    // Replaces the objects of a container made earlier (same count).
    void setArray(int object, const QList<int>& items) {
        objects_[object] = header(0xA0, items.size()) + refs(items);
    }
    int reserve() { return add(QByteArray()); }

    QByteArray build(int top) const {
        QByteArray out("bplist00");
        QList<quint64> offsets;
        for (const QByteArray& object : objects_) {
            offsets.append(quint64(out.size()));
            out += object;
        }
        const quint64 tableAt = quint64(out.size());
        for (quint64 offset : offsets) {
            out += bigEndian(offset, 8);
        }
        out += QByteArray(6, '\0');
        out += char(8);  // offset size
        out += char(refSize_);
        out += bigEndian(quint64(objects_.size()), 8);
        out += bigEndian(quint64(top), 8);
        out += bigEndian(tableAt, 8);
        return out;
    }

    // {"a": [[[ ... [] ... ]]]} with `depth` arrays.
    static QByteArray nested(int depth) {
        BinaryPlistBuilder b;
        const int key = b.ascii("a");
        int inner = b.array({});
        for (int i = 1; i < depth; ++i) {
            inner = b.array({inner});
        }
        return b.build(b.dict({{key, inner}}));
    }

private:
    static QByteArray bigEndian(quint64 v, int size) {
        QByteArray out(size, '\0');
        for (int i = size - 1; i >= 0; --i, v >>= 8) {
            out[i] = char(v & 0xFF);
        }
        return out;
    }
    static QByteArray header(int marker, qsizetype length) {
        if (length < 15) {
            return QByteArray(1, char(marker | int(length)));
        }
        return QByteArray(1, char(marker | 0x0F)) + '\x13' + bigEndian(quint64(length), 8);
    }
    QByteArray refs(const QList<int>& objects) const {
        QByteArray out;
        for (int o : objects) {
            out += bigEndian(quint64(o), refSize_);
        }
        return out;
    }
    int add(QByteArray object) {
        objects_.append(std::move(object));
        return int(objects_.size()) - 1;
    }

    int refSize_;
    QList<QByteArray> objects_;
};

}  // namespace hushpane::test
