#include "support/DesktopScreenshots.h"

#include "support/DesktopScreenCheck.h"
#include "support/HarnessDesktop.h"

#include <QCoreApplication>
#include <QDir>

#include <gtest/gtest.h>

namespace hushpane::test {

namespace {

QString artifactPrefix(const QString& desktop) {
    const QString dir = QCoreApplication::applicationDirPath() + QStringLiteral("/artifacts");
    QDir().mkpath(dir);
    const ::testing::TestInfo* test = ::testing::UnitTest::GetInstance()->current_test_info();
    const QString name =
        test ? QString::fromUtf8(test->name()).section(QLatin1Char('/'), 0, 0) : QString();
    return dir + QLatin1Char('/') + desktop + QLatin1Char('-') + name + QLatin1Char('-');
}

}  // namespace

DesktopScreenshots::DesktopScreenshots(const HarnessDesktop& desktop)
    : desktop_(desktop), prefix_(artifactPrefix(desktop.name())) {
    desktop.drawn().save(fileFor(QStringLiteral("before")));
}

QImage DesktopScreenshots::waitFor(const std::function<bool(const QImage&)>& accept,
                                   const QString& name, bool* accepted,
                                   std::chrono::milliseconds timeout) const {
    const QImage shot = desktop_.waitForScreen(accept, accepted, timeout);
    shot.save(fileFor(name));
    return shot;
}

void DesktopScreenshots::expectOnly(const QColor& color, const QString& name,
                                    const QRect& area) const {
    const auto others = [&](const QImage& s) {
        return DesktopScreenCheck::pixelsOtherThan(s, color, area);
    };
    bool ok = false;
    const QImage shot = waitFor([&](const QImage& s) { return others(s) == 0; }, name, &ok);
    EXPECT_TRUE(ok) << others(shot) << " pixels are not " << color.name().toStdString() << "; see "
                    << fileFor(name).toStdString();
}

void DesktopScreenshots::expectAsBefore(const QImage& before, const QColor& background,
                                        const QString& name, const QRect& area) const {
    const int icons = DesktopScreenCheck::pixelsOtherThan(before, background, area);
    bool ok = false;
    const QImage shot = waitFor(
        [&](const QImage& s) {
            return DesktopScreenCheck::pixelsDiffering(s, before, area) <= icons / 50;
        },
        name, &ok);
    EXPECT_TRUE(ok) << DesktopScreenCheck::pixelsDiffering(shot, before, area)
                    << " pixels differ from before; see " << fileFor(name).toStdString();
}

}  // namespace hushpane::test
