#include "support/TestPaths.h"

namespace hushpane::test {

QString buildDirectory() {
    const QString fromEnv = qEnvironmentVariable("HUSHPANE_TEST_BINARY_DIR");
    if (!fromEnv.isEmpty()) {
        return fromEnv;
    }
    return QStringLiteral(HUSHPANE_TEST_BINARY_DIR);
}

QString sourceDirectory() {
    return QStringLiteral(HUSHPANE_SOURCE_DIR);
}

QString standInFinderPath() {
    return buildDirectory() + QStringLiteral("/tests/bin/Finder");
}

}  // namespace hushpane::test
