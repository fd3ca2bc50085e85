// A second process that writes preference keys, for the fault-injection tests:
//   plist_writer <file> <key prefix> <first> <count> [--distinct]
// writes <prefix> = first .. first+count-1 one synchronize at a time (or, with --distinct, one
// key <prefix><n> per write), printing each number once it is on disk. A write that fails
// ends it with status 1 and the reason on standard error.
#include "backends/plist/PlistPreferenceDomain.h"

#include <QCoreApplication>

#include <cstdio>

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() < 5) {
        std::fprintf(stderr, "usage: plist_writer FILE PREFIX FIRST COUNT [--distinct]\n");
        return 2;
    }
    const bool distinct = args.contains(QStringLiteral("--distinct"));
    hushpane::PlistPreferenceDomain domain(QStringLiteral("test"), args[1]);
    const qlonglong first = args[3].toLongLong();
    const qlonglong count = args[4].toLongLong();
    for (qlonglong n = first; n < first + count; ++n) {
        const QString key = distinct ? args[2] + QString::number(n) : args[2];
        domain.setValue(key, QVariant(n));
        if (!domain.synchronize()) {
            std::fprintf(stderr, "%s\n", domain.lastError().toLocal8Bit().constData());
            return 1;
        }
        std::printf("%lld\n", n);
        std::fflush(stdout);
    }
    return 0;
}
