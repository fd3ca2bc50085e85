#pragma once

#include <QString>

namespace hushpane::test {

// Where the build put its binaries (the stand-in Finder, helper programs).
QString buildDirectory();
QString standInFinderPath();
// The source tree: the shell harness, the helper scripts in tests/support, the resources.
QString sourceDirectory();

}  // namespace hushpane::test
