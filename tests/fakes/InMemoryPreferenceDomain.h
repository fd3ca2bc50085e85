#pragma once

#include "platform/PreferenceDomain.h"

namespace hushpane::test {

// A preference domain held in memory. `stored` is what a synchronize() made durable;
// `failSynchronize` makes synchronize() report failure (and keep the values pending), with
// `failReason` as its lastError().
class InMemoryPreferenceDomain : public PreferenceDomain {
public:
    explicit InMemoryPreferenceDomain(QString identifier = QStringLiteral("test.domain"))
        : identifier_(std::move(identifier)) {}

    QString identifier() const override { return identifier_; }
    std::optional<QVariant> copyValue(const QString& key) override;
    void setValue(const QString& key, const std::optional<QVariant>& value) override;
    bool synchronize() override;
    QVariantMap snapshot() override { return values; }
    QString lastError() const override { return lastError_; }

    QVariantMap values;  // what reads see
    QVariantMap stored;  // what the last successful synchronize() saved
    bool failSynchronize = false;
    QString failReason = QStringLiteral("the test made the write fail");
    int setCount = 0;
    int synchronizeCount = 0;

private:
    QString identifier_;
    QString lastError_;
};

}  // namespace hushpane::test
