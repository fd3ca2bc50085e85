#pragma once

#include <QByteArrayView>
#include <QString>
#include <QVariant>

#include <optional>
#include <vector>

namespace hushpane::plist {

// Reads the binary property-list format ("bplist00") into QVariants, with bounded work: at
// most `maxDepth` levels of containers, `maxValues` values in all (a value that several
// containers share counts each time), no container that holds itself. Anything the XML form
// could not give back unchanged is refused: text with a NUL in it, integers beyond 64 bits,
// dates outside the years 1 to 9999, sets and other kinds of object.
class BinaryPlistReader {
public:
    BinaryPlistReader(QByteArrayView bytes, int maxDepth, int maxValues);

    // The top object, or nothing with error() telling why.
    std::optional<QVariant> read();
    const QString& error() const { return error_; }

    static bool looksBinary(QByteArrayView bytes);

private:
    struct Header {
        quint64 length = 0;  // count of elements, bytes or UTF-16 units
        quint64 start = 0;   // where they begin
    };

    bool readTrailer();
    std::optional<quint64> offsetOf(quint64 object);
    std::optional<Header> header(quint64 offset, quint8 marker);
    quint64 ref(quint64 at) const;
    std::optional<QVariant> value(quint64 object, int depth);
    std::optional<QString> text(quint64 object);
    std::optional<QVariant> container(quint64 offset, quint8 marker, int depth);
    std::optional<qint64> integerAt(quint64 offset, int sizeLog2);
    std::optional<QVariant> fail(const QString& why);
    bool fits(quint64 start, quint64 length) const;
    quint64 readUnsigned(quint64 at, int size) const;

    QByteArrayView bytes_;
    int maxDepth_;
    int valuesLeft_;
    QString error_;
    int offsetSize_ = 0;
    int refSize_ = 0;
    quint64 objectCount_ = 0;
    quint64 topObject_ = 0;
    quint64 offsetTable_ = 0;
    std::vector<bool> onPath_;  // containers being read, to refuse cycles
};

}  // namespace hushpane::plist
