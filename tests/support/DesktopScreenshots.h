#pragma once

#include <QColor>
#include <QImage>
#include <QRect>
#include <QString>

#include <chrono>
#include <functional>

namespace hushpane::test {

class HarnessDesktop;

// What an end-to-end test expects to see on the harness desktop's screen. Each look is polled
// for (bounded) and its last screenshot kept as <prefix><name>.png, so a failure can be seen;
// the prefix is <test program's directory>/artifacts/<desktop>-<running test>- (a
// parameterised test's name without its parameter), and the drawn desktop is kept as "before".
class DesktopScreenshots {
public:
    // The desktop must outlive this object.
    explicit DesktopScreenshots(const HarnessDesktop& desktop);

    const QString& prefix() const { return prefix_; }
    QString fileFor(const QString& name) const { return prefix_ + name + QStringLiteral(".png"); }

    // HarnessDesktop::waitForScreen, the last screenshot saved as `name`.
    QImage waitFor(const std::function<bool(const QImage&)>& accept, const QString& name,
                   bool* accepted,
                   std::chrono::milliseconds timeout = std::chrono::seconds(30)) const;
    // Expects that every pixel (in `area`, all of them when it is null) becomes `color`.
    void expectOnly(const QColor& color, const QString& name, const QRect& area = {}) const;
    // Expects the screen to come back to `before`: within 2 % of the pixels that were not
    // `background` there (in `area`).
    void expectAsBefore(const QImage& before, const QColor& background, const QString& name,
                        const QRect& area = {}) const;

private:
    const HarnessDesktop& desktop_;
    QString prefix_;
};

}  // namespace hushpane::test
