#include "backends/plist/PlistCodec.h"

#include "backends/plist/BinaryPlistReader.h"

#include <QDateTime>
#include <QRegularExpression>
#include <QStringDecoder>
#include <QTimeZone>
#include <QVariantList>

#include <plist/plist.h>

#include <cstdlib>
#include <limits>
#include <memory>

namespace hushpane::plist {

namespace {

struct PlistDeleter {
    void operator()(plist_t p) const { plist_free(p); }
};
using PlistPtr = std::unique_ptr<void, PlistDeleter>;

struct FreeDeleter {
    void operator()(char* p) const { std::free(p); }
};
using CString = std::unique_ptr<char, FreeDeleter>;

QByteArray toXml(plist_t node) {
    char* xml = nullptr;
    uint32_t length = 0;
    plist_to_xml(node, &xml, &length);
    QByteArray out(xml ? xml : "", xml ? static_cast<qsizetype>(length) : 0);
#if HUSHPANE_PLIST_HAS_MEM_FREE
    plist_mem_free(xml);
#else
    plist_to_xml_free(xml);
#endif
    return out;
}

// libplist keeps dates in 64 bits but hands them out only as 32-bit seconds, which turns
// anything before 1901 or after 2038 into 1932. Its XML text carries the full value.
std::optional<QDateTime> dateOf(plist_t node) {
    static const QRegularExpression pattern(QStringLiteral("<date>([^<]*)</date>"));
    const auto match = pattern.match(QString::fromUtf8(toXml(node)));
    if (!match.hasMatch()) {
        return std::nullopt;
    }
    QString text = match.captured(1).trimmed();
    // Years before 1000 come out with fewer than four digits ("999-01-01T..."), which ISO 8601
    // does not read.
    const qsizetype dash = text.indexOf(u'-');
    if (dash > 0 && dash < 4) {
        text.prepend(QString(4 - dash, u'0'));
    }
    const QDateTime when = QDateTime::fromString(text, Qt::ISODate);
    if (!when.isValid()) {
        return std::nullopt;
    }
    return when.toUTC();
}

plist_t newDate(const QDateTime& when) {
    const QDateTime utc = when.toUTC();
    if (!utc.isValid() || utc.date().year() < 1 || utc.date().year() > 9999) {
        return nullptr;
    }
    const QByteArray xml = "<plist version=\"1.0\"><date>" +
                           utc.toString(QStringLiteral("yyyy-MM-ddTHH:mm:ssZ")).toLatin1() +
                           "</date></plist>";
    plist_t node = nullptr;
    plist_from_xml(xml.constData(), static_cast<uint32_t>(xml.size()), &node);
    if (node && plist_get_node_type(node) != PLIST_DATE) {
        plist_free(node);
        return nullptr;
    }
    return node;
}

// Whether the XML elements nest deeper than `limit`, found without parsing: libplist parses
// any depth, but frees its tree recursively, so a deep enough file overflows the stack after
// the parse. Text cannot hold a raw '<', so counting tags is exact once comments,
// declarations, processing instructions and CDATA sections are skipped.
bool xmlNestsDeeperThan(QByteArrayView xml, int limit) {
    int depth = 0;
    qsizetype i = 0;
    const auto skipPast = [&](QByteArrayView end) {
        const qsizetype at = xml.indexOf(end, i);
        i = at < 0 ? xml.size() : at + end.size();
    };
    while ((i = xml.indexOf('<', i)) >= 0) {
        const QByteArrayView rest = xml.sliced(i);
        if (rest.startsWith("<!--")) {
            skipPast("-->");
        } else if (rest.startsWith("<![CDATA[")) {
            skipPast("]]>");
        } else if (rest.startsWith("<?")) {
            skipPast("?>");
        } else if (rest.startsWith("<!")) {
            skipPast(">");
        } else if (rest.startsWith("</")) {
            --depth;
            skipPast(">");
        } else {
            // A start tag; a '>' or "/>" inside a quoted attribute value does not end it.
            char quote = 0;
            char last = 0;
            for (++i; i < xml.size() && (quote || xml[i] != '>'); ++i) {
                if (quote) {
                    quote = xml[i] == quote ? 0 : quote;
                } else if (xml[i] == '"' || xml[i] == '\'') {
                    quote = xml[i];
                }
                last = xml[i];
            }
            ++i;
            if (last != '/' && ++depth > limit) {
                return true;
            }
        }
    }
    return false;
}

constexpr auto kNotUtf8 = "a key or text is not valid UTF-8";

// Text that is valid UTF-8, decoded; nothing for anything else, which would otherwise come
// back with its bytes replaced.
std::optional<QString> utf8(QByteArrayView bytes) {
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = decoder(bytes);
    if (decoder.hasError()) {
        return std::nullopt;
    }
    return text;
}

// Whether the XML holds an integer above the signed 64-bit range. libplist keeps it in the
// same 64 bits as a negative number, so 18446744073709551615 would read as -1.
bool holdsIntegerBeyondInt64(const QByteArray& xml) {
    // Scanned by hand: every read of the preferences passes here, at start too, and a regular
    // expression would load and compile PCRE for it.
    const auto isSpace = [](char c) { return c == ' ' || (c >= '\t' && c <= '\r'); };
    const auto isDigit = [](char c) { return c >= '0' && c <= '9'; };
    static constexpr QByteArrayView open("<integer>");
    static constexpr QByteArrayView close("</integer>");
    const qsizetype size = xml.size();
    for (qsizetype at = xml.indexOf(open); at >= 0; at = xml.indexOf(open, at)) {
        qsizetype i = at + open.size();
        at = i;
        while (i < size && isSpace(xml[i])) {
            ++i;
        }
        if (i < size && xml[i] == '+') {
            ++i;
        }
        const qsizetype digits = i;
        while (i < size && isDigit(xml[i])) {
            ++i;
        }
        const qsizetype digitsEnd = i;
        while (i < size && isSpace(xml[i])) {
            ++i;
        }
        if (digitsEnd == digits || !QByteArrayView(xml).sliced(i).startsWith(close)) {
            continue;
        }
        bool ok = false;
        xml.mid(digits, digitsEnd - digits).toLongLong(&ok);
        if (!ok) {
            return true;
        }
    }
    return false;
}

// Reads what libplist parsed from XML; nullopt with `error` set when the tree holds
// something that has no QVariant form here.
class TreeReader {
public:
    std::optional<QVariant> read(plist_t node, int depth) {
        if (depth > kMaxDepth) {
            return fail(QStringLiteral("the property list is nested too deeply"));
        }
        if (--valuesLeft_ < 0) {
            return fail(QStringLiteral("the property list holds too many values"));
        }
        switch (plist_get_node_type(node)) {
            case PLIST_BOOLEAN: {
                uint8_t b = 0;
                plist_get_bool_val(node, &b);
                return QVariant(b != 0);
            }
            case PLIST_UINT: {
                uint64_t u = 0;
                plist_get_uint_val(node, &u);
                // Negative integers are stored in two's complement.
                return QVariant(static_cast<qlonglong>(u));
            }
            case PLIST_REAL: {
                double d = 0;
                plist_get_real_val(node, &d);
                return QVariant(d);
            }
            case PLIST_STRING: {
                // By pointer and length: the copying accessor aborts on a NUL byte.
                uint64_t len = 0;
                const char* s = plist_get_string_ptr(node, &len);
                const QByteArrayView text(s ? s : "", s ? static_cast<qsizetype>(len) : 0);
                if (text.contains('\0')) {
                    return fail(QStringLiteral("a key or text holds a NUL byte"));
                }
                const std::optional<QString> decoded = utf8(text);
                if (!decoded) {
                    return fail(QString::fromLatin1(kNotUtf8));
                }
                return QVariant(*decoded);
            }
            case PLIST_DATA: {
                uint64_t len = 0;
                const char* d = plist_get_data_ptr(node, &len);
                return QVariant(QByteArray(d ? d : "", d ? static_cast<qsizetype>(len) : 0));
            }
            case PLIST_DATE: {
                const auto when = dateOf(node);
                if (!when) {
                    return fail(QStringLiteral("a date cannot be read"));
                }
                return QVariant(*when);
            }
            case PLIST_ARRAY:
                return array(node, depth);
            case PLIST_DICT:
                return dictionary(node, depth);
            case PLIST_UID: {
                uint64_t u = 0;
                plist_get_uid_val(node, &u);
                return QVariant(QVariantMap{{QStringLiteral("CF$UID"), qlonglong(u)}});
            }
            default:
                return fail(
                    QStringLiteral("the property list holds a kind of value that "
                                   "isn't supported"));
        }
    }

    const QString& error() const { return error_; }

private:
    std::optional<QVariant> fail(const QString& why) {
        if (error_.isEmpty()) {
            error_ = why;
        }
        return std::nullopt;
    }

    std::optional<QVariant> array(plist_t node, int depth) {
        QVariantList list;
        const uint32_t n = plist_array_get_size(node);
        for (uint32_t i = 0; i < n; ++i) {
            auto v = read(plist_array_get_item(node, i), depth + 1);
            if (!v) {
                return std::nullopt;
            }
            list.append(std::move(*v));
        }
        return QVariant(list);
    }

    std::optional<QVariant> dictionary(plist_t node, int depth) {
        QVariantMap map;
        plist_dict_iter it = nullptr;
        plist_dict_new_iter(node, &it);
        std::optional<QVariant> result;
        while (it) {
            char* key = nullptr;
            plist_t value = nullptr;
            plist_dict_next_item(node, it, &key, &value);
            CString ownedKey(key);
            if (!value) {
                result = QVariant(map);
                break;
            }
            if (!key) {
                fail(QStringLiteral("not a property list (a key cannot be read)"));
                break;
            }
            const std::optional<QString> name = utf8(QByteArrayView(key));
            if (!name) {
                fail(QString::fromLatin1(kNotUtf8));
                break;
            }
            auto v = read(value, depth + 1);
            if (!v) {
                break;
            }
            map.insert(*name, *v);
        }
        std::free(it);
        return result;
    }

    int valuesLeft_ = kMaxValues;
    QString error_;
};

plist_t fromVariant(const QVariant& v, QString& error);

plist_t fromList(const QVariantList& list, QString& error) {
    PlistPtr array(plist_new_array());
    for (const QVariant& item : list) {
        plist_t child = fromVariant(item, error);
        if (!child) {
            return nullptr;
        }
        plist_array_append_item(array.get(), child);
    }
    return array.release();
}

plist_t fromMap(const QVariantMap& map, QString& error) {
    PlistPtr dict(plist_new_dict());
    for (auto it = map.cbegin(); it != map.cend(); ++it) {
        if (it.key().contains(QChar(u'\0'))) {
            error = QStringLiteral("a key holds a NUL character");
            return nullptr;
        }
        plist_t child = fromVariant(it.value(), error);
        if (!child) {
            error = QStringLiteral("\"%1\": %2").arg(it.key(), error);
            return nullptr;
        }
        plist_dict_set_item(dict.get(), it.key().toUtf8().constData(), child);
    }
    return dict.release();
}

plist_t fromVariant(const QVariant& v, QString& error) {
    switch (v.typeId()) {
        case QMetaType::Bool:
            return plist_new_bool(v.toBool() ? 1 : 0);
        case QMetaType::Int:
        case QMetaType::UInt:
        case QMetaType::LongLong:
        case QMetaType::Long:
        case QMetaType::Short:
            return plist_new_uint(static_cast<uint64_t>(v.toLongLong()));
        case QMetaType::ULongLong:
            if (v.toULongLong() > quint64(std::numeric_limits<qint64>::max())) {
                error = QStringLiteral("the number is beyond 64-bit signed integers");
                return nullptr;
            }
            return plist_new_uint(v.toULongLong());
        case QMetaType::Double:
        case QMetaType::Float:
            return plist_new_real(v.toDouble());
        case QMetaType::QString: {
            const QString s = v.toString();
            if (s.contains(QChar(u'\0'))) {
                error = QStringLiteral("the text holds a NUL character");
                return nullptr;
            }
            return plist_new_string(s.toUtf8().constData());
        }
        case QMetaType::QByteArray: {
            const QByteArray b = v.toByteArray();
            return plist_new_data(b.constData(), static_cast<uint64_t>(b.size()));
        }
        case QMetaType::QDateTime: {
            plist_t date = newDate(v.toDateTime());
            if (!date) {
                error = QStringLiteral("the date lies outside the years 1 to 9999");
            }
            return date;
        }
        case QMetaType::QVariantList:
        case QMetaType::QStringList:
            return fromList(v.toList(), error);
        case QMetaType::QVariantMap:
            return fromMap(v.toMap(), error);
        default:
            error = QStringLiteral("a value of type %1 has no property-list form")
                        .arg(QString::fromLatin1(v.typeName() ? v.typeName() : "(none)"));
            return nullptr;
    }
}

Decoded decodeWithoutCheck(const QByteArray& bytes) {
    if (bytes.isEmpty()) {
        return {std::nullopt, QStringLiteral("the file is empty")};
    }
    if (bytes.size() > std::numeric_limits<uint32_t>::max()) {
        return {std::nullopt, QStringLiteral("the file is too large")};
    }
    std::optional<QVariant> root;
    QString error;
    if (BinaryPlistReader::looksBinary(bytes)) {
        // Read by our own bounded reader: libplist's recurses once per level without limit.
        BinaryPlistReader reader(bytes, kMaxDepth, kMaxValues);
        root = reader.read();
        error = reader.error();
    } else {
        // A NUL byte makes libplist's text accessors abort; XML cannot hold one anyway.
        if (bytes.contains('\0')) {
            return {std::nullopt,
                    QStringLiteral("not a property list (a key or text holds a NUL byte)")};
        }
        // <plist>, the root <dict>, then one element per level (and <key> beside them).
        if (xmlNestsDeeperThan(bytes, kMaxDepth + 3)) {
            return {std::nullopt, QStringLiteral("the property list is nested too deeply")};
        }
        if (holdsIntegerBeyondInt64(bytes)) {
            return {std::nullopt, QStringLiteral("a number is beyond 64-bit signed integers")};
        }
        plist_t raw = nullptr;
        plist_from_xml(bytes.constData(), static_cast<uint32_t>(bytes.size()), &raw);
        PlistPtr tree(raw);
        if (!tree) {
            return {std::nullopt, QStringLiteral("not a property list")};
        }
        if (plist_get_node_type(tree.get()) != PLIST_DICT) {
            return {std::nullopt, QStringLiteral("the property list is not a dictionary")};
        }
        TreeReader reader;
        root = reader.read(tree.get(), 0);
        error = reader.error();
    }
    if (!root) {
        return {std::nullopt, error};
    }
    if (root->typeId() != QMetaType::QVariantMap) {
        return {std::nullopt, QStringLiteral("the property list is not a dictionary")};
    }
    return {root->toMap(), {}};
}

}  // namespace

Decoded decodeDictionary(const QByteArray& bytes) {
    Decoded decoded = decodeWithoutCheck(bytes);
    if (!decoded.root) {
        return decoded;
    }
    // The next write stores what was read; a value that would not come back the same is
    // refused now, while the file can still be kept aside untouched.
    const Encoded encoded = encodeDictionary(*decoded.root);
    const Decoded again = encoded.bytes ? decodeWithoutCheck(*encoded.bytes) : Decoded{};
    if (!again.root || *again.root != *decoded.root) {
        return {std::nullopt,
                QStringLiteral("it holds a value that can't be written back unchanged%1")
                    .arg(encoded.error.isEmpty()
                             ? QString()
                             : QStringLiteral(" (") + encoded.error + QStringLiteral(")"))};
    }
    return decoded;
}

Encoded encodeDictionary(const QVariantMap& root) {
    QString error;
    PlistPtr dict(fromMap(root, error));
    if (!dict) {
        return {std::nullopt, error};
    }
    return {toXml(dict.get()), {}};
}

}  // namespace hushpane::plist
