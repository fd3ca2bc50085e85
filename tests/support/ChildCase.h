#pragma once

#include <QProcess>
#include <QProcessEnvironment>
#include <QString>

#include <optional>

namespace hushpane::test {

class PrivateSession;

// Runs one case of this test program (`filter` as --gtest_filter takes it) in a child process
// that joins the session: its environment with `variables` on top, the session's HOME kept for
// the parent, no display of its own, Qt offscreen; its output goes with this process's. How the
// child ended, nothing when it did not within `timeoutMs`.
std::optional<QProcess::ExitStatus> runChildCase(const PrivateSession& session,
                                                 const QString& filter,
                                                 const QProcessEnvironment& variables,
                                                 int timeoutMs);

}  // namespace hushpane::test
