#pragma once

#include "platform/DesktopSwitch.h"

#include <QList>

#include <utility>

namespace hushpane::test {

// Records every switch; `failure` is returned as the user-visible error of each one.
class InMemoryDesktopSwitch : public DesktopSwitch {
public:
    bool createsDesktop() override { return creates; }
    std::optional<QString> setCreatesDesktop(bool value) override {
        calls.append(value);
        creates = value;
        return failure;
    }
    // With `defers`, a change is answered only by finishChange(), as a desktop that has to
    // start a program answers later.
    void requestCreatesDesktop(bool value, const Completion& done) override {
        if (!defers) {
            DesktopSwitch::requestCreatesDesktop(value, done);
            return;
        }
        calls.append(value);
        deferred = [this, value, done] {
            creates = failure ? creates : value;
            done(failure);
        };
    }
    void finishChange() {
        auto finish = std::exchange(deferred, {});
        if (finish) {
            finish();
        }
    }
    int changesAtOnce() const override { return atOnce; }
    QString description() const override { return QStringLiteral("in-memory desktop"); }
    QString explanation() const override {
        return QStringLiteral("The in-memory desktop forgets its icons.");
    }
    void setExternalChangeHandler(std::function<void()> handler) override {
        externalChange = std::move(handler);
    }

    // Stands in for the desktop changing on its own: flips the state and tells the handler.
    void changeOutside(bool value) {
        creates = value;
        if (externalChange) {
            externalChange();
        }
    }

    bool creates = true;
    int atOnce = kDefaultChangesAtOnce;
    QList<bool> calls;
    std::optional<QString> failure;
    std::function<void()> externalChange;
    bool defers = false;
    std::function<void()> deferred;
};

}  // namespace hushpane::test
