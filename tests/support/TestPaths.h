#pragma once

#include <QString>

namespace hushpane::test {

// Where the build put its binaries (the stand-in Finder, helper programs).
QString buildDirectory();
QString standInFinderPath();

}  // namespace hushpane::test
