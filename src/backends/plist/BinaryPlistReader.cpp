#include "backends/plist/BinaryPlistReader.h"

#include <QDateTime>
#include <QTimeZone>
#include <QVariantList>
#include <QVariantMap>

#include <cmath>
#include <cstring>

namespace hushpane::plist {

namespace {

constexpr quint64 kTrailerSize = 32;
constexpr quint64 kHeaderSize = 8;

// Property-list dates count seconds from 2001-01-01 00:00:00 UTC.
const QDateTime& referenceDate() {
    static const QDateTime epoch(QDate(2001, 1, 1), QTime(0, 0), QTimeZone::utc());
    return epoch;
}

// Seconds from the reference date to 0001-01-01 and to 9999-12-31 23:59:59.
constexpr double kEarliestDate = -63113904000.0;
constexpr double kLatestDate = 252423993599.0;

}  // namespace

BinaryPlistReader::BinaryPlistReader(QByteArrayView bytes, int maxDepth, int maxValues)
    : bytes_(bytes), maxDepth_(maxDepth), valuesLeft_(maxValues) {}

bool BinaryPlistReader::looksBinary(QByteArrayView bytes) {
    return bytes.startsWith("bplist");
}

std::optional<QVariant> BinaryPlistReader::fail(const QString& why) {
    if (error_.isEmpty()) {
        error_ = why;
    }
    return std::nullopt;
}

bool BinaryPlistReader::fits(quint64 start, quint64 length) const {
    const auto size = static_cast<quint64>(bytes_.size());
    return start <= size && length <= size - start;
}

quint64 BinaryPlistReader::readUnsigned(quint64 at, int size) const {
    quint64 v = 0;
    for (int i = 0; i < size; ++i) {
        v = (v << 8) | static_cast<quint8>(bytes_[static_cast<qsizetype>(at) + i]);
    }
    return v;
}

bool BinaryPlistReader::readTrailer() {
    if (!bytes_.startsWith("bplist00")) {
        fail(QStringLiteral("not a property list (unknown binary version)"));
        return false;
    }
    const auto size = static_cast<quint64>(bytes_.size());
    if (size < kHeaderSize + kTrailerSize) {
        fail(QStringLiteral("not a property list (the binary file is truncated)"));
        return false;
    }
    const quint64 trailer = size - kTrailerSize;
    offsetSize_ = static_cast<quint8>(bytes_[static_cast<qsizetype>(trailer) + 6]);
    refSize_ = static_cast<quint8>(bytes_[static_cast<qsizetype>(trailer) + 7]);
    objectCount_ = readUnsigned(trailer + 8, 8);
    topObject_ = readUnsigned(trailer + 16, 8);
    offsetTable_ = readUnsigned(trailer + 24, 8);
    const bool sane = offsetSize_ >= 1 && offsetSize_ <= 8 && refSize_ >= 1 && refSize_ <= 8 &&
                      objectCount_ >= 1 && topObject_ < objectCount_ &&
                      offsetTable_ >= kHeaderSize && offsetTable_ <= trailer &&
                      objectCount_ <= (trailer - offsetTable_) / quint64(offsetSize_);
    if (!sane) {
        fail(QStringLiteral("not a property list (the binary trailer is damaged)"));
        return false;
    }
    onPath_.assign(objectCount_, false);
    return true;
}

std::optional<quint64> BinaryPlistReader::offsetOf(quint64 object) {
    if (object >= objectCount_) {
        fail(QStringLiteral("not a property list (a reference points outside the file)"));
        return std::nullopt;
    }
    const quint64 offset = readUnsigned(offsetTable_ + object * quint64(offsetSize_), offsetSize_);
    if (offset < kHeaderSize || offset >= offsetTable_) {
        fail(QStringLiteral("not a property list (an object lies outside the file)"));
        return std::nullopt;
    }
    return offset;
}

quint64 BinaryPlistReader::ref(quint64 at) const {
    return readUnsigned(at, refSize_);
}

std::optional<qint64> BinaryPlistReader::integerAt(quint64 offset, int sizeLog2) {
    const int size = 1 << sizeLog2;
    if (sizeLog2 > 4 || !fits(offset, quint64(size)) || offset + quint64(size) > offsetTable_) {
        fail(QStringLiteral("not a property list (a damaged integer)"));
        return std::nullopt;
    }
    if (size == 16) {
        // 128-bit: only values that also fit 64 bits can be written back unchanged.
        const quint64 high = readUnsigned(offset, 8);
        const quint64 low = readUnsigned(offset + 8, 8);
        const bool fitsSigned = (high == 0 && low <= quint64(INT64_MAX)) ||
                                (high == ~quint64(0) && low > quint64(INT64_MAX));
        if (!fitsSigned) {
            fail(QStringLiteral("an integer does not fit 64 bits"));
            return std::nullopt;
        }
        return static_cast<qint64>(low);
    }
    // 1, 2 and 4 bytes are unsigned; 8 bytes are two's complement.
    return static_cast<qint64>(readUnsigned(offset, size));
}

std::optional<BinaryPlistReader::Header> BinaryPlistReader::header(quint64 offset, quint8 marker) {
    Header h;
    h.length = marker & 0x0F;
    h.start = offset + 1;
    if (h.length == 0x0F) {
        if (offset + 1 >= offsetTable_) {
            fail(QStringLiteral("not a property list (a damaged length)"));
            return std::nullopt;
        }
        const auto lengthMarker = static_cast<quint8>(bytes_[static_cast<qsizetype>(offset) + 1]);
        if ((lengthMarker & 0xF0) != 0x10 || (lengthMarker & 0x0F) > 3) {
            fail(QStringLiteral("not a property list (a damaged length)"));
            return std::nullopt;
        }
        const auto n = integerAt(offset + 2, lengthMarker & 0x0F);
        if (!n || *n < 0) {
            fail(QStringLiteral("not a property list (a damaged length)"));
            return std::nullopt;
        }
        h.length = static_cast<quint64>(*n);
        h.start = offset + 2 + (quint64(1) << (lengthMarker & 0x0F));
    }
    return h;
}

std::optional<QString> BinaryPlistReader::text(quint64 object) {
    const auto offset = offsetOf(object);
    if (!offset) {
        return std::nullopt;
    }
    const auto marker = static_cast<quint8>(bytes_[static_cast<qsizetype>(*offset)]);
    const auto h = header(*offset, marker);
    if (!h) {
        return std::nullopt;
    }
    const quint64 unit = (marker & 0xF0) == 0x60 ? 2 : 1;
    if ((marker & 0xF0) != 0x50 && (marker & 0xF0) != 0x60) {
        fail(QStringLiteral("not a property list (a key is not text)"));
        return std::nullopt;
    }
    if (h->length > (offsetTable_ - std::min(h->start, offsetTable_)) / unit) {
        fail(QStringLiteral("not a property list (a text runs past its end)"));
        return std::nullopt;
    }
    const QByteArrayView raw =
        bytes_.sliced(static_cast<qsizetype>(h->start), static_cast<qsizetype>(h->length * unit));
    QString s;
    if (unit == 1) {
        s = QString::fromLatin1(raw);
    } else {
        s.resize(static_cast<qsizetype>(h->length));
        for (qsizetype i = 0; i < s.size(); ++i) {
            s[i] = QChar(static_cast<char16_t>((static_cast<quint8>(raw[2 * i]) << 8) |
                                               static_cast<quint8>(raw[2 * i + 1])));
        }
    }
    // The XML form cannot hold a NUL; writing it back would cut the text short.
    if (s.contains(QChar(u'\0'))) {
        fail(QStringLiteral("not a property list (a key or text holds a NUL byte)"));
        return std::nullopt;
    }
    return s;
}

std::optional<QVariant> BinaryPlistReader::container(quint64 offset, quint8 marker, int depth) {
    const auto h = header(offset, marker);
    if (!h) {
        return std::nullopt;
    }
    const bool isDict = (marker & 0xF0) == 0xD0;
    const quint64 refs = isDict ? 2 : 1;
    const quint64 room = (offsetTable_ - std::min(h->start, offsetTable_)) / quint64(refSize_);
    if (h->length > room / refs) {
        return fail(QStringLiteral("not a property list (a container runs past its end)"));
    }
    if (!isDict) {
        QVariantList list;
        for (quint64 i = 0; i < h->length; ++i) {
            auto item = value(ref(h->start + i * quint64(refSize_)), depth + 1);
            if (!item) {
                return std::nullopt;
            }
            list.append(std::move(*item));
        }
        return QVariant(list);
    }
    QVariantMap map;
    const quint64 valueRefs = h->start + h->length * quint64(refSize_);
    for (quint64 i = 0; i < h->length; ++i) {
        auto key = text(ref(h->start + i * quint64(refSize_)));
        if (!key) {
            return std::nullopt;
        }
        auto item = value(ref(valueRefs + i * quint64(refSize_)), depth + 1);
        if (!item) {
            return std::nullopt;
        }
        map.insert(*key, *item);
    }
    return QVariant(map);
}

std::optional<QVariant> BinaryPlistReader::value(quint64 object, int depth) {
    if (depth > maxDepth_) {
        return fail(QStringLiteral("the property list is nested too deeply"));
    }
    if (--valuesLeft_ < 0) {
        return fail(QStringLiteral("the property list holds too many values"));
    }
    const auto offset = offsetOf(object);
    if (!offset) {
        return std::nullopt;
    }
    const auto marker = static_cast<quint8>(bytes_[static_cast<qsizetype>(*offset)]);
    switch (marker & 0xF0) {
        case 0x00:
            if (marker == 0x08 || marker == 0x09) {
                return QVariant(marker == 0x09);
            }
            break;
        case 0x10: {
            const auto n = integerAt(*offset + 1, marker & 0x0F);
            return n ? std::optional<QVariant>(QVariant(qlonglong(*n))) : std::nullopt;
        }
        case 0x20:
        case 0x30: {
            const bool isDate = marker == 0x33;
            if (marker != 0x22 && marker != 0x23 && !isDate) {
                break;
            }
            const int size = marker == 0x22 ? 4 : 8;
            if (!fits(*offset + 1, quint64(size)) || *offset + 1 + quint64(size) > offsetTable_) {
                return fail(QStringLiteral("not a property list (a damaged number)"));
            }
            const quint64 bits = readUnsigned(*offset + 1, size);
            double d = 0;
            if (size == 4) {
                float f = 0;
                const auto b32 = static_cast<quint32>(bits);
                std::memcpy(&f, &b32, sizeof f);
                d = f;
            } else {
                std::memcpy(&d, &bits, sizeof d);
            }
            if (!isDate) {
                return QVariant(d);
            }
            if (!std::isfinite(d) || d < kEarliestDate || d > kLatestDate) {
                return fail(QStringLiteral("a date lies outside the years 1 to 9999"));
            }
            // The XML form keeps whole seconds.
            return QVariant(referenceDate().addSecs(static_cast<qint64>(std::floor(d))));
        }
        case 0x40: {
            const auto h = header(*offset, marker);
            if (!h) {
                return std::nullopt;
            }
            if (h->length > offsetTable_ - std::min(h->start, offsetTable_)) {
                return fail(QStringLiteral("not a property list (data runs past its end)"));
            }
            return QVariant(QByteArray(
                bytes_.sliced(static_cast<qsizetype>(h->start), static_cast<qsizetype>(h->length))
                    .toByteArray()));
        }
        case 0x50:
        case 0x60: {
            auto s = text(object);
            return s ? std::optional<QVariant>(QVariant(*s)) : std::nullopt;
        }
        case 0x80: {
            const int size = (marker & 0x0F) + 1;
            if (size > 8 || *offset + 1 + quint64(size) > offsetTable_) {
                return fail(QStringLiteral("not a property list (a damaged UID)"));
            }
            const quint64 uid = readUnsigned(*offset + 1, size);
            if (uid > quint64(INT64_MAX)) {
                return fail(QStringLiteral("a UID does not fit 64 bits"));
            }
            return QVariant(QVariantMap{{QStringLiteral("CF$UID"), qlonglong(uid)}});
        }
        case 0xA0:
        case 0xD0: {
            if (onPath_[object]) {
                return fail(QStringLiteral("not a property list (a container holds itself)"));
            }
            onPath_[object] = true;
            auto v = container(*offset, marker, depth);
            onPath_[object] = false;
            return v;
        }
        default:
            break;
    }
    return fail(QStringLiteral("the property list holds a kind of value that isn't supported"));
}

std::optional<QVariant> BinaryPlistReader::read() {
    if (!readTrailer()) {
        return std::nullopt;
    }
    return value(topObject_, 0);
}

}  // namespace hushpane::plist
