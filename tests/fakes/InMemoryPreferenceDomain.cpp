#include "fakes/InMemoryPreferenceDomain.h"

namespace hushpane::test {

std::optional<QVariant> InMemoryPreferenceDomain::copyValue(const QString& key) {
    const auto it = values.constFind(key);
    if (it == values.cend()) {
        return std::nullopt;
    }
    return *it;
}

void InMemoryPreferenceDomain::setValue(const QString& key, const std::optional<QVariant>& value) {
    ++setCount;
    if (value) {
        values.insert(key, *value);
    } else {
        values.remove(key);
    }
}

bool InMemoryPreferenceDomain::synchronize() {
    ++synchronizeCount;
    if (failSynchronize) {
        lastError_ = failReason;
        return false;
    }
    lastError_.clear();
    stored = values;
    return true;
}

}  // namespace hushpane::test
