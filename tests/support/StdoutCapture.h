#pragma once

#include <QString>

namespace hushpane::test {

// Sends the process's standard output to a temporary file while it lives; text() reads what
// was written so far.
class StdoutCapture {
public:
    StdoutCapture();
    ~StdoutCapture();
    StdoutCapture(const StdoutCapture&) = delete;
    StdoutCapture& operator=(const StdoutCapture&) = delete;

    QString text() const;

private:
    int savedFd_ = -1;
    QString path_;
};

}  // namespace hushpane::test
