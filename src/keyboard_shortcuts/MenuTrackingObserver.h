#pragma once

#include <QObject>
#include <QSet>

#include <functional>

namespace KeyboardShortcuts {

// Watches the application's menus open and close, so nobody has to register them: a menu
// counts as tracked from its show to its hide (or destruction). The callback hears true when
// the first menu opens and false when the last one closes; submenus change nothing.
class MenuTrackingObserver : public QObject {
    Q_OBJECT
public:
    using Callback = std::function<void(bool isMenuOpen)>;

    explicit MenuTrackingObserver(Callback callback, QObject* parent = nullptr);
    ~MenuTrackingObserver() override;

    bool isMenuOpen() const { return !openMenus_.isEmpty(); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void menuClosed(QObject* menu);

    Callback callback_;
    QSet<QObject*> openMenus_;
};

}  // namespace KeyboardShortcuts
