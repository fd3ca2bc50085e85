#include "common/UserDefaults.h"

#include "platform/PreferenceDomain.h"

namespace hushpane {

namespace {

bool isNumber(const QVariant& v) {
    const int t = v.typeId();
    return t == QMetaType::LongLong || t == QMetaType::Int || t == QMetaType::UInt ||
           t == QMetaType::ULongLong || t == QMetaType::Double;
}

}  // namespace

UserDefaults::UserDefaults(PreferenceDomain& domain, QObject* parent)
    : QObject(parent), domain_(domain) {}

std::optional<QVariant> UserDefaults::objectForKey(const QString& key) const {
    return domain_.copyValue(key);
}

void UserDefaults::setObject(const QString& key, const std::optional<QVariant>& value) {
    domain_.setValue(key, value);
    lastWriteSucceeded_ = domain_.synchronize();
    lastWriteError_ = lastWriteSucceeded_ ? QString() : domain_.lastError();
    Q_EMIT valueChanged(key);
}

void UserDefaults::removeObjectForKey(const QString& key) {
    setObject(key, std::nullopt);
}

QVariantMap UserDefaults::dictionaryRepresentation() const {
    return domain_.snapshot();
}

bool UserDefaults::boolForKey(const QString& key) const {
    const auto v = objectForKey(key);
    if (!v) {
        return false;
    }
    if (v->typeId() == QMetaType::Bool) {
        return v->toBool();
    }
    if (isNumber(*v)) {
        return v->toDouble() != 0.0;
    }
    if (v->typeId() == QMetaType::QString) {
        const QString s = v->toString().trimmed().toLower();
        if (s == u"yes" || s == u"true") {
            return true;
        }
        bool ok = false;
        const double d = s.toDouble(&ok);
        return ok && d != 0.0;
    }
    return false;
}

qint64 UserDefaults::integerForKey(const QString& key) const {
    const auto v = objectForKey(key);
    if (!v) {
        return 0;
    }
    if (v->typeId() == QMetaType::Bool) {
        return v->toBool() ? 1 : 0;
    }
    if (isNumber(*v)) {
        return v->typeId() == QMetaType::Double ? static_cast<qint64>(v->toDouble())
                                                : v->toLongLong();
    }
    if (v->typeId() == QMetaType::QString) {
        bool ok = false;
        const qint64 n = v->toString().trimmed().toLongLong(&ok);
        return ok ? n : 0;
    }
    return 0;
}

std::optional<QString> UserDefaults::stringForKey(const QString& key) const {
    const auto v = objectForKey(key);
    if (!v) {
        return std::nullopt;
    }
    if (v->typeId() == QMetaType::QString) {
        return v->toString();
    }
    if (isNumber(*v)) {
        return v->toString();
    }
    return std::nullopt;
}

std::optional<QByteArray> UserDefaults::dataForKey(const QString& key) const {
    const auto v = objectForKey(key);
    if (v && v->typeId() == QMetaType::QByteArray) {
        return v->toByteArray();
    }
    return std::nullopt;
}

std::optional<QVariantMap> UserDefaults::dictionaryForKey(const QString& key) const {
    const auto v = objectForKey(key);
    if (v && v->typeId() == QMetaType::QVariantMap) {
        return v->toMap();
    }
    return std::nullopt;
}

std::optional<QVariantList> UserDefaults::arrayForKey(const QString& key) const {
    const auto v = objectForKey(key);
    if (v && v->typeId() == QMetaType::QVariantList) {
        return v->toList();
    }
    return std::nullopt;
}

void UserDefaults::setBool(const QString& key, bool value) {
    setObject(key, QVariant(value));
}

void UserDefaults::setInteger(const QString& key, qint64 value) {
    setObject(key, QVariant(static_cast<qlonglong>(value)));
}

void UserDefaults::setString(const QString& key, const QString& value) {
    setObject(key, QVariant(value));
}

}  // namespace hushpane
