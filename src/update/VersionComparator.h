#pragma once

#include <QString>

namespace hushpane {

// Orders version texts the way appcast feeds expect: "1.10" is newer than "1.9", "1.0" equals
// "1.0.0", and a pre-release suffix is older than the release it leads to ("1.0b2" < "1.0").
class VersionComparator {
public:
    // Negative when `a` is older than `b`, zero when they are the same version, positive when
    // `a` is newer.
    static int compare(const QString& a, const QString& b);
};

}  // namespace hushpane
