#include "backends/plist/PlistCodec.h"

#include <QDateTime>
#include <QTimeZone>
#include <QVariantList>

#include <plist/plist.h>

#include <cstdlib>
#include <memory>

namespace hushpane::plist {

namespace {

// Property-list dates count seconds from 2001-01-01 00:00:00 UTC.
const QDateTime& referenceDate() {
    static const QDateTime epoch(QDate(2001, 1, 1), QTime(0, 0), QTimeZone::utc());
    return epoch;
}

struct PlistDeleter {
    void operator()(plist_t p) const { plist_free(p); }
};
using PlistPtr = std::unique_ptr<void, PlistDeleter>;

struct FreeDeleter {
    void operator()(char* p) const { std::free(p); }
};
using CString = std::unique_ptr<char, FreeDeleter>;

// nullopt: the node cannot be represented; `tooDeep` tells the caller to give up.
std::optional<QVariant> toVariant(plist_t node, int depth, bool& tooDeep) {
    if (depth > kMaxDepth) {
        tooDeep = true;
        return std::nullopt;
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
            // By pointer and length: a string with a NUL byte in it is data from a damaged
            // file, and the copying accessor aborts the process on it.
            uint64_t len = 0;
            const char* s = plist_get_string_ptr(node, &len);
            return QVariant(QString::fromUtf8(s ? s : "", s ? static_cast<qsizetype>(len) : 0));
        }
        case PLIST_DATA: {
            uint64_t len = 0;
            const char* d = plist_get_data_ptr(node, &len);
            return QVariant(QByteArray(d ? d : "", d ? static_cast<qsizetype>(len) : 0));
        }
        case PLIST_DATE: {
            int32_t sec = 0;
            int32_t usec = 0;
            plist_get_date_val(node, &sec, &usec);
            return QVariant(referenceDate().addMSecs(qint64(sec) * 1000 + usec / 1000));
        }
        case PLIST_ARRAY: {
            QVariantList list;
            const uint32_t n = plist_array_get_size(node);
            for (uint32_t i = 0; i < n; ++i) {
                auto v = toVariant(plist_array_get_item(node, i), depth + 1, tooDeep);
                if (tooDeep) {
                    return std::nullopt;
                }
                if (v) {
                    list.append(*v);
                }
            }
            return QVariant(list);
        }
        case PLIST_DICT: {
            QVariantMap map;
            plist_dict_iter it = nullptr;
            plist_dict_new_iter(node, &it);
            while (it) {
                char* key = nullptr;
                plist_t value = nullptr;
                plist_dict_next_item(node, it, &key, &value);
                CString ownedKey(key);
                if (!value) {
                    break;
                }
                auto v = toVariant(value, depth + 1, tooDeep);
                if (tooDeep) {
                    std::free(it);
                    return std::nullopt;
                }
                if (v && key) {
                    map.insert(QString::fromUtf8(key), *v);
                }
            }
            std::free(it);
            return QVariant(map);
        }
        case PLIST_UID: {
            uint64_t u = 0;
            plist_get_uid_val(node, &u);
            return QVariant(QVariantMap{{QStringLiteral("CF$UID"), qlonglong(u)}});
        }
        default:
            return std::nullopt;
    }
}

plist_t fromVariant(const QVariant& v) {
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
            return plist_new_uint(v.toULongLong());
        case QMetaType::Double:
        case QMetaType::Float:
            return plist_new_real(v.toDouble());
        case QMetaType::QString:
            return plist_new_string(v.toString().toUtf8().constData());
        case QMetaType::QByteArray: {
            const QByteArray b = v.toByteArray();
            return plist_new_data(b.constData(), static_cast<uint64_t>(b.size()));
        }
        case QMetaType::QDateTime: {
            const qint64 ms = referenceDate().msecsTo(v.toDateTime());
            qint64 sec = ms / 1000;
            qint64 rest = ms % 1000;
            if (rest < 0) {
                rest += 1000;
                sec -= 1;
            }
            return plist_new_date(static_cast<int32_t>(sec), static_cast<int32_t>(rest * 1000));
        }
        case QMetaType::QVariantList:
        case QMetaType::QStringList: {
            plist_t array = plist_new_array();
            for (const QVariant& item : v.toList()) {
                if (plist_t child = fromVariant(item)) {
                    plist_array_append_item(array, child);
                }
            }
            return array;
        }
        case QMetaType::QVariantMap: {
            const QVariantMap map = v.toMap();
            plist_t dict = plist_new_dict();
            for (auto it = map.cbegin(); it != map.cend(); ++it) {
                if (plist_t child = fromVariant(it.value())) {
                    plist_dict_set_item(dict, it.key().toUtf8().constData(), child);
                }
            }
            return dict;
        }
        default:
            return nullptr;
    }
}

}  // namespace

Decoded decodeDictionary(const QByteArray& bytes) {
    if (bytes.isEmpty()) {
        return {std::nullopt, QStringLiteral("the file is empty")};
    }
    if (bytes.size() > std::numeric_limits<uint32_t>::max()) {
        return {std::nullopt, QStringLiteral("the file is too large")};
    }
    // A key or a string with a NUL byte inside makes libplist's accessors abort the process.
    // XML cannot hold one at all; a binary file is checked through its XML form, where such
    // text shows up as it is (data is base64 there, so a NUL in data is fine).
    const QString withNul = QStringLiteral("not a property list (a key or text holds a NUL byte)");
    const bool binary = plist_is_binary(bytes.constData(), static_cast<uint32_t>(bytes.size()));
    if (!binary && bytes.contains('\0')) {
        return {std::nullopt, withNul};
    }
    plist_t raw = nullptr;
    plist_from_memory(bytes.constData(), static_cast<uint32_t>(bytes.size()), &raw);
    PlistPtr root(raw);
    if (!root) {
        return {std::nullopt, QStringLiteral("not a property list")};
    }
    if (binary) {
        char* xml = nullptr;
        uint32_t length = 0;
        plist_to_xml(root.get(), &xml, &length);
        const bool hasNul = xml && QByteArrayView(xml, length).contains('\0');
        plist_to_xml_free(xml);
        if (hasNul) {
            return {std::nullopt, withNul};
        }
    }
    if (plist_get_node_type(root.get()) != PLIST_DICT) {
        return {std::nullopt, QStringLiteral("the property list is not a dictionary")};
    }
    bool tooDeep = false;
    auto v = toVariant(root.get(), 0, tooDeep);
    if (tooDeep || !v) {
        return {std::nullopt, QStringLiteral("the property list is nested too deeply")};
    }
    return {v->toMap(), {}};
}

QByteArray encodeDictionary(const QVariantMap& root) {
    PlistPtr dict(fromVariant(QVariant(root)));
    char* xml = nullptr;
    uint32_t len = 0;
    plist_to_xml(dict.get(), &xml, &len);
    QByteArray out(xml ? xml : "", xml ? static_cast<qsizetype>(len) : 0);
    plist_to_xml_free(xml);
    return out;
}

}  // namespace hushpane::plist
