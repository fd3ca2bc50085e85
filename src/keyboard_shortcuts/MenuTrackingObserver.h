#pragma once

#include <QObject>
#include <QSet>

namespace KeyboardShortcuts {

// Watches the application's menus open and close, so nobody has to register them: a menu
// counts as tracked from its show to its hide (or destruction). It announces true when the
// first menu opens and false when the last one closes; submenus change nothing.
class MenuTrackingObserver : public QObject {
    Q_OBJECT
public:
    explicit MenuTrackingObserver(QObject* parent = nullptr);
    ~MenuTrackingObserver() override;

    bool isMenuOpen() const { return !openMenus_.isEmpty(); }

Q_SIGNALS:
    void menuOpenDidChange(bool isMenuOpen);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void menuClosed(QObject* menu);

    QSet<QObject*> openMenus_;
};

}  // namespace KeyboardShortcuts
