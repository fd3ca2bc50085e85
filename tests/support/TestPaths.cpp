#include "support/TestPaths.h"

#include <QCoreApplication>
#include <QDir>

namespace hushpane::test {

QString buildDirectory() {
    const QString fromEnv = qEnvironmentVariable("HUSHPANE_TEST_BINARY_DIR");
    if (!fromEnv.isEmpty()) {
        return fromEnv;
    }
    // Test executables live two levels below the build directory (tests/<folder>/).
    return QDir(QCoreApplication::applicationDirPath() + QStringLiteral("/../..")).absolutePath();
}

QString standInFinderPath() {
    return buildDirectory() + QStringLiteral("/tests/bin/Finder");
}

}  // namespace hushpane::test
